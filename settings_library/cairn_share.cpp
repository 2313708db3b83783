#include "settings_library/cairn_share.h"

#include <cstdlib>
#include <cstring>
#include <memory>

#include "core/logging_utilities.h"
#include "core/my_types_mini.h"
#include "platform/utf.h"
#include "settings_library/shared_region.h"

namespace cv {

namespace {

alignas(8) TCairnSettingsRec g_private_rec;
std::unique_ptr<TMemoryMapFile> g_fixedmap;
bool g_failure_logged = false;

void UsePrivateRecord() {
  std::memset(static_cast<void*>(&g_private_rec), 0, sizeof g_private_rec);
  g_cairn_rec = &g_private_rec;
}

// Library unload: release the hold (the last holder removes the region).
struct Unloader {
  ~Unloader() {
    try {
      if (keeping_log) AddToLogFile(u"unloading cairnShareUnit1");
      if (g_fixedmap && keeping_log) AddToLogFile(u"closing cairn share, ", false);
    } catch (...) {
    }
    CairnCloseSharing();
  }
};
Unloader g_unloader;

}  // namespace

TCairnSettingsRec* g_cairn_rec = &g_private_rec;

std::string CairnRegionName() {
  const char* env = std::getenv("CV_SETTINGS_REGION");
  if (env != nullptr && *env != '\0') return env;
  return "cairn_compartilhar" + Utf16ToUtf8(CurrentCVMajorVersion100Str()) + "fixed";
}

void CairnSetupSharing() {
  CairnCloseSharing();
  auto map = std::make_unique<TMemoryMapFile>(CairnRegionName(), sizeof(TCairnSettingsRec));
  if (map->IsOpen()) {
    g_cairn_rec = static_cast<TCairnSettingsRec*>(map->Base());
    g_fixedmap = std::move(map);
    return;
  }
  UsePrivateRecord();
  if (!g_failure_logged) {
    g_failure_logged = true;
    AddToLogFile(u"settings region unavailable, using private settings: " +
                 Utf8ToUtf16(map->LastError()));
  }
}

void CairnCloseSharing() {
  if (!g_fixedmap) return;
  // Point away from the view before it goes.
  g_cairn_rec = &g_private_rec;
  g_fixedmap.reset();
}

bool CairnSharingActive() { return static_cast<bool>(g_fixedmap); }

bool CairnOtherHoldersPresent() { return g_fixedmap && g_fixedmap->OtherHoldersPresent(); }

}  // namespace cv
