#include "files/julian_date_routines.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "files/wingenok.h"
#include "platform/sysutils.h"

namespace cv {
namespace {

// Days from 1970-01-01 of a proleptic Gregorian date, and back (the
// era-based algorithms: exact for every year representable in 64 bits).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, std::int64_t& y, unsigned& m, unsigned& d) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2);
}

// Julian date of 1970-01-01 at midnight.
constexpr double kJulianOfUnixDay0 = 2440587.5;
// TDateTime of 1970-01-01.
constexpr double kDateTimeOfUnixDay0 = 25569.0;

bool IsLeap(std::int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

Integer Clamp(Integer v, Integer lo, Integer hi) { return v < lo ? lo : (v > hi ? hi : v); }

TYearMonthDay Clamped(const TYearMonthDay& ymd) {
  return {ymd.year, Clamp(ymd.month, 1, 12), Clamp(ymd.day, 1, 31)};
}

double JulianOf(const TYearMonthDay& ymd) {
  return static_cast<double>(DaysFromCivil(ymd.year, static_cast<unsigned>(ymd.month),
                                           static_cast<unsigned>(ymd.day))) +
         kJulianOfUnixDay0;
}

// The date of a Julian value (the day that holds it); false when it is not
// a finite number or lies outside the accepted years.
bool DateOfJulian(double j, TYearMonthDay& out) {
  if (!std::isfinite(j)) return false;
  const double days = std::floor(j - kJulianOfUnixDay0);
  // Well beyond the accepted years on both sides, so the cast is safe.
  if (days < -4.0e6 || days > 4.0e6) return false;
  std::int64_t y;
  unsigned m, d;
  CivilFromDays(static_cast<std::int64_t>(days), y, m, d);
  if (y < kMinYear || y > kMaxYear) return false;
  out = {static_cast<Integer>(y), static_cast<Integer>(m), static_cast<Integer>(d)};
  return true;
}

// The shifted value of a record known to exist.
double ShiftedOf(const TYearMonthDay& ymd) { return JulianOf(ymd) + kShiftDays; }

string Digits(Int64 v, int min_digits) {
  string s = IntToStr(v < 0 ? -v : v);
  if (static_cast<int>(s.size()) < min_digits) s.insert(0, min_digits - s.size(), u'0');
  if (v < 0) s.insert(0, 1, u'-');
  return s;
}

// The few pictures of the time lines, formatted with the user's settings:
// yyyy yy mmm dd d hh h nn, '/' the date separator, ':' the time separator;
// other characters are copied.  The time of day is always midnight.
string FormatLabel(std::u16string_view picture, const TYearMonthDay& ymd) {
  const TFormatSettings& fs = UserDefaultFormatSettings;
  string out;
  std::size_t i = 0;
  while (i < picture.size()) {
    const char16_t c = picture[i];
    std::size_t run = 1;
    while (i + run < picture.size() && (picture[i + run] | 0x20) == (c | 0x20)) ++run;
    switch (c | 0x20) {
      case u'y':
        if (run >= 3) {
          out += Digits(ymd.year, 4);
        } else {
          const Integer two = std::abs(ymd.year) % 100;
          out += Digits(ymd.year < 0 ? -two : two, 2);
        }
        break;
      case u'm':
        if (run >= 3)
          out += fs.ShortMonthNames[static_cast<std::size_t>(ymd.month - 1)];
        else
          out += Digits(ymd.month, static_cast<int>(run));
        break;
      case u'd':
        out += Digits(ymd.day, run >= 2 ? 2 : 1);
        break;
      case u'h':
      case u'n':
        out += run >= 2 ? u"00" : u"0";
        break;
      case u'/':
        out.append(run, fs.DateSeparator);
        break;
      case u':':
        out.append(run, fs.TimeSeparator);
        break;
      default:
        out.append(picture.substr(i, run));
        break;
    }
    i += run;
  }
  return out;
}

Int64 FloorDiv(Int64 a, Int64 b) {
  Int64 q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

Integer PeriodLengthInYears(TTimeLinePlotbase basis) {
  switch (basis) {
    case tlpb_millennia: return 1000;
    case tlpb_centuries: return 100;
    case tlpb_decades: return 10;
    default: return 0;
  }
}

constexpr double kApproxDaysPerYear = 365.25;
constexpr double kApproxDaysPerMonth = 30.4375;

// The span of a to b in periods of years, months, weeks or days; false when
// either day does not exist.
bool SpanIn(const TYearMonthDay& a, const TYearMonthDay& b, TTimeLinePlotbase basis, double& span) {
  const double ja = YearMonthDayToJulianAddingConst(a);
  const double jb = YearMonthDayToJulianAddingConst(b);
  if (ja == 0 || jb == 0) return false;
  const double days = std::fabs(jb - ja);
  switch (basis) {
    case tlpb_years: span = days / kApproxDaysPerYear; return true;
    case tlpb_months: span = days / kApproxDaysPerMonth; return true;
    case tlpb_weeks: span = 4.0 * (days / kApproxDaysPerMonth); return true;
    case tlpb_days: span = days; return true;
    default: return false;
  }
}

// Integer value of a one- or two-letter picture field; false when not a
// plain run of decimal digits.
bool FieldNumber(std::u16string_view s, Integer& v) {
  if (s.empty()) return false;
  v = 0;
  for (char16_t c : s) {
    if (c < u'0' || c > u'9') return false;
    v = v * 10 + (c - u'0');
  }
  return true;
}

}  // namespace

Integer DaysInAMonth(Integer year, Integer month) {
  static constexpr Integer kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

bool YearMonthDayExists(const TYearMonthDay& ymd) {
  return ymd.year >= kMinYear && ymd.year <= kMaxYear && ymd.day >= 1 &&
         ymd.day <= DaysInAMonth(ymd.year, ymd.month);
}

void ClearAYearMonthDayRec(TYearMonthDay& ymd) { ymd = {kUnknownYear, 1, 1}; }

TYearMonthDay AClearYearMonthDayRec() { return {kUnknownYear, 1, 1}; }

bool IsUnknownDate(const TYearMonthDay& ymd) {
  return ymd.year == kUnknownYear && ymd.month == 1 && ymd.day == 1;
}

double YearMonthDayToJulianAddingConst(const TYearMonthDay& ymd) {
  const TYearMonthDay c = Clamped(ymd);
  return YearMonthDayExists(c) ? ShiftedOf(c) : 0.0;
}

double YearMonthDayToJulianDateSemConvertir(const TYearMonthDay& ymd) {
  const TYearMonthDay c = Clamped(ymd);
  return YearMonthDayExists(c) ? JulianOf(c) : JulianOf(AClearYearMonthDayRec());
}

double DateTimeToJulianAddingConst(TDateTime dt) {
  if (!std::isfinite(dt)) return 0.0;
  // The calendar date of a TDateTime is its integral part (towards zero).
  TYearMonthDay ymd;
  if (!DateOfJulian(std::trunc(dt) + kJulianOfDateTimeZero, ymd) || ymd.year < 1) return 0.0;
  return ShiftedOf(ymd);
}

TYearMonthDay JulianDateToYearMonthDayRemovingConst(double j) {
  TYearMonthDay ymd;
  if (j == 0 || !DateOfJulian(j - kShiftDays, ymd)) return AClearYearMonthDayRec();
  return ymd;
}

TYearMonthDay DateToYearMonthDay(bool remove_const, TDateTime dt) {
  TYearMonthDay ymd;
  if (!std::isfinite(dt)) return AClearYearMonthDayRec();
  double j = std::trunc(dt) + kJulianOfDateTimeZero;
  if (remove_const) j -= kShiftDays;
  if (!DateOfJulian(j, ymd)) return AClearYearMonthDayRec();
  return ymd;
}

TYearMonthDay DateToYearMonthDayRemovingConst(TDateTime dt) { return DateToYearMonthDay(true, dt); }

string TimeLineBasisFormatString(TTimeLinePlotbase basis) {
  switch (basis) {
    case tlpb_millennia:
    case tlpb_centuries:
    case tlpb_decades:
    case tlpb_years: return u"yyyy";
    case tlpb_months: return u"yyyy/mmm";
    case tlpb_weeks:
    case tlpb_days: return u"yyyy/mmm/dd";
    case tlpb_hours: return u"yyyy/mmm/dd hh";
    default: return u"yyyy/mmm/dd hh:nn";
  }
}

string YearMonthDayAsString(const TYearMonthDay& ymd, TTimeLinePlotbase basis) {
  if (!YearMonthDayExists(ymd)) return u"??";
  string full = FormatLabel(TimeLineBasisFormatString(basis), {2000, ymd.month, ymd.day});
  // "%5.4d": at least four digits, right-aligned in five places.
  string year = Digits(ymd.year, 4);
  if (year.size() < 5) year.insert(0, 5 - year.size(), u' ');
  return Trim(year + full.substr(4));
}

string AbbreviatedYearMonthDayAsString(const TYearMonthDay& ymd, TTimeLinePlotbase basis) {
  if (!YearMonthDayExists(ymd)) return u"??";
  const char16_t* picture;
  switch (basis) {
    case tlpb_millennia:
    case tlpb_centuries:
    case tlpb_decades: picture = u"yyyy"; break;
    case tlpb_years: picture = u"yy"; break;
    case tlpb_months: picture = u"mmm"; break;
    case tlpb_weeks: return u"w";
    case tlpb_days: picture = u"d"; break;
    case tlpb_hours: picture = u"h"; break;
    default: picture = u"yy/mmm/dd hh:nn"; break;
  }
  return FormatLabel(picture, ymd);
}

string JulianToStringRemovingConst(double j, TTimeLinePlotbase basis, bool abbreviated) {
  const TYearMonthDay ymd = JulianDateToYearMonthDayRemovingConst(j);
  if (IsUnknownDate(ymd)) return u"??";
  return abbreviated ? AbbreviatedYearMonthDayAsString(ymd, basis) : YearMonthDayAsString(ymd, basis);
}

double UserStrDateAndTimeParsed(std::u16string_view s) {
  const double unknown = YearMonthDayToJulianAddingConst(AClearYearMonthDayRec());
  const string t = Trim(s);
  if (t.size() <= 3 || t.find(u'<') != string::npos) return unknown;
  Integer year;
  if (TryStrToInt(t, year)) {
    if (year < kMinYear || year > kMaxYear) return unknown;
    return YearMonthDayToJulianAddingConst({year, 7, 1});
  }
  const std::size_t p1 = t.find(u'/');
  const std::size_t p2 = p1 == string::npos ? p1 : t.find(u'/', p1 + 1);
  if (p2 == string::npos || t.find(u'/', p2 + 1) != string::npos) return unknown;
  Integer month, day;
  if (!TryStrToInt(std::u16string_view(t).substr(0, p1), year) ||
      !TryStrToInt(std::u16string_view(t).substr(p1 + 1, p2 - p1 - 1), month) ||
      !TryStrToInt(std::u16string_view(t).substr(p2 + 1), day))
    return unknown;
  const TYearMonthDay ymd{year, month, day};
  return YearMonthDayExists(ymd) ? ShiftedOf(ymd) : 0.0;
}

TYrMmDyHrMn DatefromUsersString(std::u16string_view s, std::u16string_view format) {
  TYrMmDyHrMn r{0, 0, 0, 0, 0};
  if (s.size() != format.size()) return r;
  std::size_t i = 0;
  while (i < format.size()) {
    const char16_t c = format[i];
    std::size_t run = 1;
    while (i + run < format.size() && format[i + run] == c) ++run;
    const std::u16string_view field = s.substr(i, run);
    Integer v = 0;
    const bool number = (run == 1 || run == 2) && FieldNumber(field, v);
    switch (c) {
      case u'd': r.day = number ? Clamp(v, 1, 31) : 1; break;
      case u'm': r.month = number ? Clamp(v, 1, 12) : 1; break;
      case u'h': r.hour = number ? Clamp(v, 0, 23) : 0; break;
      case u'n': r.minute = number ? Clamp(v, 0, 59) : 0; break;
      case u'y':
        if (run == 2 && FieldNumber(field, v))
          r.year = 2000 + v;
        else if (run == 4 && FieldNumber(field, v))
          r.year = v;
        else
          r.year = 0;
        break;
      default: break;
    }
    i += run;
  }
  return r;
}

string StringFromTYrMmDyHrMn(const TYrMmDyHrMn& rec, std::u16string_view format) {
  string out;
  std::size_t i = 0;
  while (i < format.size()) {
    const char16_t c = format[i];
    std::size_t run = 1;
    while (i + run < format.size() && format[i + run] == c) ++run;
    Integer v = 0;
    bool field = true;
    switch (c) {
      case u'd': v = rec.day; break;
      case u'm': v = rec.month; break;
      case u'h': v = rec.hour; break;
      case u'n': v = rec.minute; break;
      case u'y': v = rec.year; break;
      default: field = false; break;
    }
    if (!field) {
      out.append(format.substr(i, run));
    } else if (c == u'y') {
      if (run == 2) out += Digits(v, 2);
      if (run == 4) out += Digits(v, 4);
    } else if (run == 1) {
      out += Digits(v, 1);
    } else if (run == 2) {
      out += Digits(v, 2);
    }
    i += run;
  }
  return out;
}

TYearMonthDay StartOfPeriod(const TYearMonthDay& ymd, TTimeLinePlotbase basis) {
  if (const Integer len = PeriodLengthInYears(basis))
    return {static_cast<Integer>(FloorDiv(ymd.year, len) * len), 1, 1};
  switch (basis) {
    case tlpb_years: return {ymd.year, 1, 1};
    case tlpb_months:
    case tlpb_weeks: return {ymd.year, ymd.month, 1};
    default: return ymd;
  }
}

TYearMonthDay EndOfPeriod(const TYearMonthDay& ymd, TTimeLinePlotbase basis) {
  if (const Integer len = PeriodLengthInYears(basis))
    return {static_cast<Integer>(FloorDiv(ymd.year, len) * len + len - 1), 12, 31};
  switch (basis) {
    case tlpb_years: return {ymd.year, 12, 31};
    case tlpb_months:
    case tlpb_weeks:
      if (!YearMonthDayExists(ymd)) return AClearYearMonthDayRec();
      return {ymd.year, ymd.month, DaysInAMonth(ymd.year, ymd.month)};
    default: return ymd;
  }
}

Integer PeriodsBetween(const TYearMonthDay& a, const TYearMonthDay& b, TTimeLinePlotbase basis) {
  if (const Integer len = PeriodLengthInYears(basis))
    return static_cast<Integer>(std::llabs(FloorDiv(b.year, len) - FloorDiv(a.year, len)) + 1);
  double span;
  if (!SpanIn(a, b, basis, span)) return 1;
  return static_cast<Integer>(std::ceil(span));
}

Integer PeriodNumberFor(const TYearMonthDay& a, const TYearMonthDay& b, TTimeLinePlotbase basis) {
  if (const Integer len = PeriodLengthInYears(basis))
    return static_cast<Integer>(std::llabs(FloorDiv(b.year, len) - FloorDiv(a.year, len)));
  double span;
  if (!SpanIn(a, b, basis, span)) return 0;
  return static_cast<Integer>(std::trunc(span));
}

}  // namespace cv
