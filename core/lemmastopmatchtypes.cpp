#include "core/lemmastopmatchtypes.h"

#include "core/resource_strings.h"
#include "platform/sysutils.h"

namespace cv {

const std::array<string, kLemmaMatchStopCount> LemmaMatchStopFiles{
    _CVLemmaFileS, _CVMatchListFileS, _CVStopListFileS, _CVRelationListFileS};

const std::array<string, kLemmaMatchStopCount> LemmaMatchStopnames_of_processes{
    _CVLemmas, _CVMatchList, _CVStopList, _CVRelationList};

string LemmaMatchStopFileTypeStr(TLemmaMatchStopOptions kind, std::u16string_view file_name) {
  if (kind >= kLemmaMatchStopCount) return {};
  return Format(LemmaMatchStopFiles[kind], {file_name});
}

}  // namespace cv
