// The values the installer hands to the Conduit Manager's six registration calls, and the
// library path it registers. Portable: no Windows calls.
#pragma once

#include <cstddef>
#include <cstdint>

// Every path is held in a field of 260 bytes, terminator included.
constexpr size_t kPathBytes = 260;

struct ConduitRegistration {
  char creator[8];        // every call
  int32_t createValue;    // create-registration (ordinal 67)
  int32_t settingValue;   // set-integer-setting (ordinal 40)
  char libraryName[300];  // joined to the installer folder for ordinal 46
  char text[50];          // set-text-setting (ordinal 50)
  char name[300];         // set-name (ordinal 54)
  char secondName[300];   // set-second-name (ordinal 56)
};

static_assert(offsetof(ConduitRegistration, createValue) == 8);
static_assert(offsetof(ConduitRegistration, settingValue) == 12);
static_assert(offsetof(ConduitRegistration, libraryName) == 16);
static_assert(offsetof(ConduitRegistration, text) == 316);
static_assert(offsetof(ConduitRegistration, name) == 366);
static_assert(offsetof(ConduitRegistration, secondName) == 666);

void FillConduitRegistration(ConduitRegistration* registration);

// Joins the installer folder and the library name ("%s%s") into out. False, with out left
// empty, when the path would not fit its 260 bytes: a cut path would name another file.
bool BuildLibraryPath(const char* folder, const char* libraryName, char (&out)[kPathBytes]);
