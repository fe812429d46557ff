// The Conduit Manager (CONDMGR.dll) as installers and the HotSync host see it: the eight
// operations imported by ordinal (see CONDMGR.def), the by-name read of a registration and
// the answers of our stand-in.
#pragma once

#include <cstddef>
#include <cstdint>

// Bytes of the text fields of a registration, terminator included.
constexpr size_t kCmLibraryBytes = 260;
constexpr size_t kCmTextBytes = 300;

// One creator's registration as the Conduit Manager keeps it.
struct CmRegistration {
  int32_t kind;                    // from create-registration
  int32_t setting;                 // from set-integer-setting
  char library[kCmLibraryBytes];   // the conduit library HotSync Manager loads
  char text[kCmTextBytes];         // from set-text-setting
  char name[kCmTextBytes];         // the conduit's name
  char secondName[kCmTextBytes];   // from set-second-name
};

static_assert(sizeof(CmRegistration) == 1168, "CmRegistration is 1168 bytes");
static_assert(offsetof(CmRegistration, setting) == 4);
static_assert(offsetof(CmRegistration, library) == 8);
static_assert(offsetof(CmRegistration, text) == 268);
static_assert(offsetof(CmRegistration, name) == 568);
static_assert(offsetof(CmRegistration, secondName) == 868);

// Answers of the stand-in Conduit Manager; 0 is success.
enum : int32_t {
  kCmOk = 0,
  kCmErrNoRegistration = -1001,  // the creator has no registration
  kCmErrRemovalFailed = -1002,   // removal: nothing removed (none there, or the store failed)
  kCmErrExists = -1003,          // create: the creator has a registration already
  kCmErrStore = -1004,           // the registrations could not be read or written
  kCmErrBadArgument = -1005,     // a null pointer, a creator not of four printable characters,
                                 // a text that does not fit its field
};

#ifdef _WIN32
extern "C" {
// Every operation takes the creator as a NUL-terminated text of four characters ("ZHMQ").
int32_t __cdecl CmLookUpRegistration(const char* creator, int32_t* kind);            // @64
int32_t __cdecl CmRemoveRegistration(const char* creator);                           // @65
int32_t __cdecl CmCreateRegistration(const char* creator, int32_t kind);             // @67
int32_t __cdecl CmSetIntegerSetting(const char* creator, int32_t setting);           // @40
int32_t __cdecl CmSetConduitLibrary(const char* creator, const char* path);          // @46
int32_t __cdecl CmSetTextSetting(const char* creator, const char* text);             // @50
int32_t __cdecl CmSetName(const char* creator, const char* name);                    // @54
int32_t __cdecl CmSetSecondName(const char* creator, const char* text);              // @56
int32_t __cdecl CmReadRegistration(const char* creator, CmRegistration* registration);  // by name
}
#endif
