// Dates of the time lines: calendar records, shifted Julian values, labels
// and periods.
//
// Texts in a corpus may be dated far in the past, so a date is kept as a
// "shifted Julian value": the astronomical Julian date (days since noon of
// 1 January 4713 BC; a calendar day starts at .5) of the date, plus the fixed
// number of days kShiftDays (4500 Gregorian years in three positions out of
// four of the 400-year cycle).  Years are astronomical (year 0 is 1 BC) on
// the proleptic Gregorian calendar, and a record is only accepted when its
// day exists in its own year: 29 February 1900 is refused, 29 February 2000
// taken.  Every day of kMinYear..kMaxYear converts to a value and back.
//
// A value of 0 means "no such date".  The unknown date is the record
// (-4001, 1, 1); conversions that cannot give a date give the unknown date,
// never today's.
#pragma once

#include <vector>

#include "platform/types.h"
#include "settings_library/settings_enums.h"

namespace cv {

struct TYearMonthDay {
  Integer year;
  Integer month;
  Integer day;
};

struct TYrMmDyHrMn {
  Integer year;
  Integer month;
  Integer day;
  Integer hour;
  Integer minute;
};

using TYearMonthDayArray = std::vector<TYearMonthDay>;

// TTimeLinePlotbase is the settings record's own enumeration.

inline constexpr char16_t _CVUnknown_date_str[] = u"<no date found>";

inline constexpr Integer kUnknownYear = -4001;
inline constexpr Integer kMinYear = -4499;
inline constexpr Integer kMaxYear = 9999;
// The distance between a date's Julian date and its shifted value.
inline constexpr double kShiftDays = 1643591.0;
// Julian date of the TDateTime epoch (30 December 1899, midnight).
inline constexpr double kJulianOfDateTimeZero = 2415018.5;

// True when the day exists in the proleptic Gregorian calendar and the year
// is within kMinYear..kMaxYear.
bool YearMonthDayExists(const TYearMonthDay& ymd);
Integer DaysInAMonth(Integer year, Integer month);  // 0 for a month outside 1..12

void ClearAYearMonthDayRec(TYearMonthDay& ymd);
TYearMonthDay AClearYearMonthDayRec();
bool IsUnknownDate(const TYearMonthDay& ymd);

// Shifted value of (year, month clamped to 1..12, day clamped to 1..31);
// 0 when that day does not exist.
double YearMonthDayToJulianAddingConst(const TYearMonthDay& ymd);
// Julian date (not shifted) of the clamped record; the unknown date's when
// the day does not exist.
double YearMonthDayToJulianDateSemConvertir(const TYearMonthDay& ymd);
// Shifted value of dt's calendar date (time of day dropped); 0 for a dt
// outside the years 1..9999 or not a number.
double DateTimeToJulianAddingConst(TDateTime dt);
// The date of a shifted value; the unknown date for 0 or a value that names
// no date within the accepted years.
TYearMonthDay JulianDateToYearMonthDayRemovingConst(double j);
// dt's date; with remove_const dt is taken as shifted (kShiftDays taken off
// first).  The unknown date when dt names no date within the accepted years.
TYearMonthDay DateToYearMonthDay(bool remove_const, TDateTime dt);
TYearMonthDay DateToYearMonthDayRemovingConst(TDateTime dt);

// "??" for the unknown date, 0 or a value that cannot be converted.
string JulianToStringRemovingConst(double j, TTimeLinePlotbase basis, bool abbreviated);
// Full label: the year as "%5.4d" then the rest of the basis format, trimmed
// ("0044/Mar/15", "-0044").  "??" when the day does not exist.
string YearMonthDayAsString(const TYearMonthDay& ymd, TTimeLinePlotbase basis);
// Short label: "yyyy" (millennia, centuries, decades), "yy" (years), "mmm"
// (months), "w" (weeks), "d" (days), "h" (hours), "yy/mmm/dd hh:nn"
// otherwise; the year shown is the record's own.
string AbbreviatedYearMonthDayAsString(const TYearMonthDay& ymd, TTimeLinePlotbase basis);
string TimeLineBasisFormatString(TTimeLinePlotbase basis);

// A typed date as a shifted value: a whole number is a year (1 July);
// year/month/day gives that day (0 when it does not exist); texts of three
// characters or fewer, texts with "<", and anything else give the unknown
// date's value.
double UserStrDateAndTimeParsed(std::u16string_view s);

// Picture formats of d m y h n fields (other characters separate them).
TYrMmDyHrMn DatefromUsersString(std::u16string_view s, std::u16string_view format);
string StringFromTYrMmDyHrMn(const TYrMmDyHrMn& rec, std::u16string_view format);

// First and last day of the period holding ymd.  Years are divided with
// floor division, so the decade of -44 is -50..-41.  EndOfPeriod for months
// and weeks gives the unknown date for a day that does not exist.
TYearMonthDay StartOfPeriod(const TYearMonthDay& ymd, TTimeLinePlotbase basis);
TYearMonthDay EndOfPeriod(const TYearMonthDay& ymd, TTimeLinePlotbase basis);

// Number of periods from a's to b's (both counted), and the index of b's
// period counted from a's.  Millennia, centuries and decades count whole
// periods of the calendar (the periods of StartOfPeriod); years, months,
// weeks and days come from the day distance divided by the mean year
// (365.25 days) or month (30.4375 days), rounded up by PeriodsBetween and
// truncated by PeriodNumberFor.  Another basis, or a day that does not
// exist, gives 1 and 0.
Integer PeriodsBetween(const TYearMonthDay& a, const TYearMonthDay& b, TTimeLinePlotbase basis);
Integer PeriodNumberFor(const TYearMonthDay& a, const TYearMonthDay& b, TTimeLinePlotbase basis);

}  // namespace cv
