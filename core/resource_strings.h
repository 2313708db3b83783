// The runtime's own user-visible texts that the core and general services
// need.  The message catalogue adds the rest.
#pragma once

namespace cv {

inline constexpr const char16_t* _CVLemmaFileS = u"lemmas file %s";
inline constexpr const char16_t* _CVMatchListFileS = u"match list file %s";
inline constexpr const char16_t* _CVStopListFileS = u"stop list file %s";
inline constexpr const char16_t* _CVRelationListFileS = u"relation list file %s";
inline constexpr const char16_t* _CVLemmas = u"lemmas";
inline constexpr const char16_t* _CVMatchList = u"match list";
inline constexpr const char16_t* _CVStopList = u"stop list";
inline constexpr const char16_t* _CVRelationList = u"relation list";
inline constexpr const char16_t* _CVTrue = u"true";
inline constexpr const char16_t* _CVFalse = u"false";

}  // namespace cv
