#include "files/general_runtime_filters.h"

namespace cv {

const TFileTypesRec TXT_FileTypes{u"Plain text files", u"*.txt"};
const TFileTypesRec All_FileTypes{u"All files", u"*.*"};
const TFileTypesRec Batch_Filetypes{u"Batch files", u"*.zip"};
const TFileTypesRec Aligner_Filetypes{u"Aligner files", u"*.ali;*.vwr;*.txt"};
const TFileTypesRec Chargrams_Filetypes{u"Chargrams files", u"*.cgr"};
const TFileTypesRec Kwic_Filetypes{u"Kwic files", u"*.cnc"};
const TFileTypesRec Keywords_Filetypes{u"KeyWords files", u"*.kws;*.kdb"};
const TFileTypesRec RTF_Filetypes{u"Rich text files", u"*.rtf"};
const TFileTypesRec XML_Filetypes{u"XML files", u"*.xml"};
const TFileTypesRec WebText_Filetypes{u"Internet text files", u"*.htm;*.html;*.xml"};
const TFileTypesRec WordList_Filetypes{u"WordList files", u"*.lst;*.tokens;*.mut"};
const TFileTypesRec CVConcgram_Filetypes{u"CVConcgram files", u"*.base_index"};

}  // namespace cv
