// The file-type filters that the tools' file dialogs offer.
#pragma once

#include "platform/types.h"

namespace cv {

struct TFileTypesRec {
  string display_str;
  string mask_str;
};

extern const TFileTypesRec TXT_FileTypes;
extern const TFileTypesRec All_FileTypes;
extern const TFileTypesRec Batch_Filetypes;
extern const TFileTypesRec Aligner_Filetypes;
extern const TFileTypesRec Chargrams_Filetypes;
extern const TFileTypesRec Kwic_Filetypes;
extern const TFileTypesRec Keywords_Filetypes;
extern const TFileTypesRec RTF_Filetypes;
extern const TFileTypesRec XML_Filetypes;
extern const TFileTypesRec WebText_Filetypes;
extern const TFileTypesRec WordList_Filetypes;
extern const TFileTypesRec CVConcgram_Filetypes;

}  // namespace cv
