// The process's hold on the shared settings record.
//
// g_cairn_rec always points at a usable record: the shared region once
// SetupCairnSharing has attached it, otherwise a private zero-filled record of
// this process.  Exports therefore never test for null.
#pragma once

#include <string>

#include "settings_library/settings_record.h"

namespace cv {

extern TCairnSettingsRec* g_cairn_rec;

inline TCairnSettingsRec& R() { return *g_cairn_rec; }

// The region's name: CV_SETTINGS_REGION when set, otherwise
// "cairn_compartilhar" + CurrentCVMajorVersion100Str() + "fixed".
std::string CairnRegionName();

// Replaces the process's hold with a new one (the old view is released
// first).  On failure the private record is zeroed and used, and the failure
// is logged once per process.
void CairnSetupSharing();
// Releases the hold; the private record is used afterwards.
void CairnCloseSharing();
// True when the shared region is mapped.
bool CairnSharingActive();
// True when processes other than this one hold the region.
bool CairnOtherHoldersPresent();

}  // namespace cv
