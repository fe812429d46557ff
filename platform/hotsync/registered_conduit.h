// The conduit library that the Conduit Manager (CONDMGR.dll beside the host) has registered
// for a creator: what `hotsync sync` loads when no --conduit is given.
#pragma once

#include <string>

enum class RegisteredConduit {
  kFound,        // library holds the registered path
  kNone,         // the creator has no registration, or one without a library
  kUnreadable,   // no Conduit Manager to ask, or it could not read the registration
};

// why says what went wrong for kNone and kUnreadable, for the user.
RegisteredConduit FindRegisteredConduit(const char* creator, std::string* library, std::string* why);
