// The module-wide host objects that ZAKFN_Initialize receives: the rules, check and editor layers read them.
#pragma once

#include <string>

class IAddInHost;
class IAddInSite;

// Both are borrowed: the host keeps them alive while the module is loaded; null before initialisation.
void SetHostContext(IAddInHost* host, IAddInSite* site);
IAddInHost* AddInHost();
IAddInSite* AddInSite();

// The add-in's data folder that the site names (without a trailing separator): the global rule file and
// the dialog placements live there. Empty when the site names none.
std::u16string AddInDataFolder();
