// Bases for implementations of the host interfaces (hosts, test hosts): every placeholder slot answers 0,
// so an implementation writes only the slots the module calls. Like the interfaces, they are never deleted
// through a base pointer.
#pragma once

#include "addin/HostInterfaces.h"

class KHostRegExpBase : public IHostRegExp {
 public:
  int32_t ZAKCALL Unused0() override { return 0; }
  int32_t ZAKCALL Unused3() override { return 0; }

 protected:
  ~KHostRegExpBase() = default;
};

class KAddInSiteBase : public IAddInSite {
 public:
  int32_t ZAKCALL Unused0() override { return 0; }
  int32_t ZAKCALL Unused1() override { return 0; }
  int32_t ZAKCALL Unused2() override { return 0; }
  int32_t ZAKCALL Unused3() override { return 0; }
  int32_t ZAKCALL Unused4() override { return 0; }

 protected:
  ~KAddInSiteBase() = default;
};

class KHostProjectBase : public IHostProject {
 public:
  int32_t ZAKCALL Unused0() override { return 0; }
  int32_t ZAKCALL Unused1() override { return 0; }
  int32_t ZAKCALL Unused2() override { return 0; }
  int32_t ZAKCALL Unused4() override { return 0; }

 protected:
  ~KHostProjectBase() = default;
};

class KHostTokenBase : public IHostToken {
 public:
  int32_t ZAKCALL Unused0() override { return 0; }
  int32_t ZAKCALL Unused1() override { return 0; }
  int32_t ZAKCALL Unused2() override { return 0; }
  int32_t ZAKCALL Unused3() override { return 0; }
  int32_t ZAKCALL Unused4() override { return 0; }
  int32_t ZAKCALL Unused5() override { return 0; }

 protected:
  ~KHostTokenBase() = default;
};

class KCheckRunBase : public ICheckRun {
 public:
  int32_t ZAKCALL Unused0() override { return 0; }
  int32_t ZAKCALL Unused1() override { return 0; }
  int32_t ZAKCALL Unused3() override { return 0; }
  int32_t ZAKCALL Unused4() override { return 0; }
  int32_t ZAKCALL Unused5() override { return 0; }

 protected:
  ~KCheckRunBase() = default;
};

class KCheckOptionsBase : public ICheckOptions {
 public:
  int32_t ZAKCALL Unused0() override { return 0; }

 protected:
  ~KCheckOptionsBase() = default;
};

class KAddInHostBase : public IAddInHost {
 public:
  int32_t ZAKCALL Unused1() override { return 0; }
  int32_t ZAKCALL Unused2() override { return 0; }
  int32_t ZAKCALL Unused3() override { return 0; }
  int32_t ZAKCALL Unused4() override { return 0; }
  int32_t ZAKCALL Unused5() override { return 0; }
  int32_t ZAKCALL Unused6() override { return 0; }
  int32_t ZAKCALL Unused7() override { return 0; }
  int32_t ZAKCALL Unused8() override { return 0; }
  int32_t ZAKCALL Unused9() override { return 0; }
  int32_t ZAKCALL Unused10() override { return 0; }
  int32_t ZAKCALL Unused11() override { return 0; }

 protected:
  ~KAddInHostBase() = default;
};
