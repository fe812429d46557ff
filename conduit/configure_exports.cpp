// The identity and configuration exports: name, version, information kinds, the two dialogs.
#include "configure.h"

#include "configure_actions.h"
#include "configure_arguments.h"
#include "configure_dialog.h"
#include "library_instance.h"
#include "resource_ids.h"

namespace {

int LoadConduitName(char* buffer, int bufferSize) {
  return LoadStringA(LibraryInstance(), IDS_CONDUIT_NAME, buffer, bufferSize);
}

INT_PTR ShowActionDialog(int templateId, ConduitActionSettings* settings) {
  return DialogBoxParamA(LibraryInstance(), MAKEINTRESOURCEA(templateId), GetForegroundWindow(),
                         ActionDialogProc, reinterpret_cast<LPARAM>(settings));
}

}  // namespace

int32_t GetConduitName(char* nameBuffer, uint16_t nameBufferSize) {
  if (nameBuffer == nullptr || nameBufferSize == 0) return -1;
  return LoadConduitName(nameBuffer, nameBufferSize) > 0 ? 0 : -1;
}

int32_t GetConduitVersion() { return kConduitVersion; }

int32_t GetConduitInfo(int32_t kind, const ConduitInfoRequest* request, void* out, int32_t* outSize) {
  return AnswerConduitInfo(kind, request, out, outSize, LoadConduitName);
}

int32_t ConfigureConduit(HotSyncConfigRecord* record) {
  if (record == nullptr) return -1;
  ConduitActionSettings settings = SettingsForConfigRecord(record->action);
  if (ShowActionDialog(IDD_ACTION_ENGLISH, &settings) != 0) return -1;
  ApplyChoiceToConfigRecord(settings, record);
  return 0;
}

int32_t CfgConduit(int32_t kind, ConduitActionSettings* settings, int32_t* sizeOfSettings) {
  int32_t problem = PrepareCfgConduit(kind, settings, sizeOfSettings, LoadConduitName);
  if (problem != 0) return problem;
  // Cancel leaves the settings as they were, which is all HotSync Manager needs to know.
  ShowActionDialog(IDD_ACTION_JAPANESE, settings);
  return 0;
}
