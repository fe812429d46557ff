// The action code that HotSync Manager and the conduit exchange for each HotSync.
#pragma once

#include <cstdint>

enum ConduitAction : int32_t {
  Synchronize = 0,
  HandheldOverwritesDesktop = 2,
  DesktopOverwritesHandheld = 3,
  DoNothing = 6,
};
