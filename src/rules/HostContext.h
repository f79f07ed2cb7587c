// The module-wide host objects that ZAKFN_Initialize receives: the rules, check and editor layers read them.
#pragma once

class IAddInHost;
class IAddInSite;

// Both are borrowed: the host keeps them alive while the module is loaded; null before initialisation.
void SetHostContext(IAddInHost* host, IAddInSite* site);
IAddInHost* AddInHost();
IAddInSite* AddInSite();
