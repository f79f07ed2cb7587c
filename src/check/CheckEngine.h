// The module's one check engine: made by the first begin of a check run, kept from run to run, destroyed
// by a final end of a run.
#pragma once

class CRegExChecker;

// The engine, or null when there is none.
CRegExChecker* CheckEngine();
// The engine, made (and the global rules loaded) when none exists yet.
CRegExChecker& CreateCheckEngine();
// Destroys the engine with all of its rules and expression objects; nothing happens when there is none.
void DestroyCheckEngine();
