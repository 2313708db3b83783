// Dates and times: Delphi's TDateTime model and FormatDateTime.
//
// A TDateTime counts days since 30 December 1899.  Before that day the value
// is negative but its fraction is still the (positive) time of day: -1.25 is
// 29 December 1899, 06:00.  Every routine that takes a value apart first
// rounds it to whole milliseconds, so 23:59:59.9996 shows as the next day.
#include <cmath>
#include <ctime>
#include <string>

#include "platform/sysutils.h"

namespace cv {

namespace {

constexpr Int64 kMSecsPerDay = 86400000;
constexpr Int64 kDateDelta = 693594;          // days from 0001-01-01 (day 1) to 1899-12-30
constexpr Int64 kMaxDay = 3652059;            // 9999-12-31 counted the same way
constexpr Int64 kUnixDateDelta = 25569;       // 1970-01-01 as a TDateTime

constexpr Word kDaysInMonth[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                      {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

// Day number counted from 0001-01-01 = 1, and milliseconds into the day.
struct TimeStamp {
  Int64 date = 0;
  Int64 time = 0;
  bool valid = false;
};

TimeStamp ToTimeStamp(TDateTime value) {
  TimeStamp ts;
  const double ms = std::nearbyint(value * static_cast<double>(kMSecsPerDay));
  // Beyond the calendar's range (and NaN) is invalid.
  if (!(std::fabs(ms) < 4.0e17)) return ts;
  const Int64 m = static_cast<Int64>(ms);
  ts.date = kDateDelta + m / kMSecsPerDay;
  ts.time = (m < 0 ? -m : m) % kMSecsPerDay;
  ts.valid = ts.date >= 1 && ts.date <= kMaxDay;
  return ts;
}

void DayNumberToDate(Int64 t, Word& year, Word& month, Word& day) {
  // t >= 1; 400-, 100-, 4- and 1-year cycles from 0001-01-01.
  Int64 d = t - 1;
  Int64 y = 1;
  y += 400 * (d / 146097);
  d %= 146097;
  Int64 c = d / 36524;
  if (c == 4) c = 3;
  y += 100 * c;
  d -= c * 36524;
  y += 4 * (d / 1461);
  d %= 1461;
  Int64 k = d / 365;
  if (k == 4) k = 3;
  y += k;
  d -= k * 365;
  const bool leap = IsLeapYear(static_cast<Word>(y));
  int m = 0;
  while (d >= kDaysInMonth[leap][m]) d -= kDaysInMonth[leap][m++];
  year = static_cast<Word>(y);
  month = static_cast<Word>(m + 1);
  day = static_cast<Word>(d + 1);
}

void TimeOfDay(Int64 ms, Word& hour, Word& min, Word& sec, Word& msec) {
  hour = static_cast<Word>(ms / 3600000);
  min = static_cast<Word>(ms / 60000 % 60);
  sec = static_cast<Word>(ms / 1000 % 60);
  msec = static_cast<Word>(ms % 1000);
}

// A TDateTime from a day (relative to 1899-12-30) and milliseconds of the
// day, keeping the fraction positive for days before 1899-12-30.
TDateTime Compose(Int64 day, Int64 ms) {
  const double frac = static_cast<double>(ms) / static_cast<double>(kMSecsPerDay);
  return day < 0 ? static_cast<double>(day) - frac : static_cast<double>(day) + frac;
}

}  // namespace

bool IsLeapYear(Word year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

bool TryEncodeDate(Word year, Word month, Word day, TDateTime& date) {
  if (year < 1 || year > 9999 || month < 1 || month > 12) return false;
  const Word* dim = kDaysInMonth[IsLeapYear(year)];
  if (day < 1 || day > dim[month - 1]) return false;
  Int64 d = day;
  for (int m = 0; m < month - 1; ++m) d += dim[m];
  const Int64 y = year - 1;
  d += y * 365 + y / 4 - y / 100 + y / 400;
  date = static_cast<double>(d - kDateDelta);
  return true;
}

TDateTime EncodeDate(Word year, Word month, Word day) {
  TDateTime d = 0;
  if (!TryEncodeDate(year, month, day, d)) throw EConvertError("Invalid argument to date encode");
  return d;
}

void DecodeDate(TDateTime date, Word& year, Word& month, Word& day) {
  const TimeStamp ts = ToTimeStamp(date);
  if (!ts.valid) {
    year = month = day = 0;
    return;
  }
  DayNumberToDate(ts.date, year, month, day);
}

bool TryEncodeTime(Word hour, Word min, Word sec, Word msec, TDateTime& time) {
  if (hour >= 24 || min >= 60 || sec >= 60 || msec >= 1000) return false;
  time = static_cast<double>(hour * 3600000LL + min * 60000LL + sec * 1000LL + msec) /
         static_cast<double>(kMSecsPerDay);
  return true;
}

TDateTime EncodeTime(Word hour, Word min, Word sec, Word msec) {
  TDateTime t = 0;
  if (!TryEncodeTime(hour, min, sec, msec, t)) throw EConvertError("Invalid argument to time encode");
  return t;
}

void DecodeTime(TDateTime time, Word& hour, Word& min, Word& sec, Word& msec) {
  // The time of day is read even outside the calendar's years; NaN and huge
  // values give midnight.
  TimeOfDay(ToTimeStamp(time).time, hour, min, sec, msec);
}

Word DayOfWeek(TDateTime date) {
  const TimeStamp ts = ToTimeStamp(date);
  const Int64 d = ts.date % 7;
  return static_cast<Word>((d < 0 ? d + 7 : d) + 1);
}

TDateTime Now() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  const std::time_t secs = now.tv_sec;
  std::tm local{};
  localtime_r(&secs, &local);
  TDateTime d = 0, t = 0;
  TryEncodeDate(static_cast<Word>(local.tm_year + 1900), static_cast<Word>(local.tm_mon + 1),
                static_cast<Word>(local.tm_mday), d);
  // tm_sec may be 60 in a leap second.
  TryEncodeTime(static_cast<Word>(local.tm_hour), static_cast<Word>(local.tm_min),
                static_cast<Word>(local.tm_sec > 59 ? 59 : local.tm_sec),
                static_cast<Word>(now.tv_nsec / 1000000), t);
  return Compose(static_cast<Int64>(d), std::llround(t * kMSecsPerDay));
}

TDateTime Date() {
  const TDateTime n = Now();
  return std::trunc(n);
}

TDateTime Time() {
  const TDateTime n = Now();
  return n - std::trunc(n);
}

TDateTime UnixToDateTime(Int64 seconds) {
  Int64 day = seconds / 86400;
  Int64 rest = seconds % 86400;
  if (rest < 0) {
    rest += 86400;
    --day;
  }
  return Compose(day + kUnixDateDelta, rest * 1000);
}

Int64 DateTimeToUnix(TDateTime value) {
  const TimeStamp ts = ToTimeStamp(value);
  if (!ts.valid) {
    // Outside the calendar: plain arithmetic, kept inside the 64-bit range.
    const double s = std::nearbyint((value - kUnixDateDelta) * 86400.0);
    if (!(s > -9.2e18 && s < 9.2e18)) return 0;
    return static_cast<Int64>(s);
  }
  const Int64 day = ts.date - kDateDelta - kUnixDateDelta;
  return day * 86400 + (ts.time + 500) / 1000;
}

// ---------------------------------------------------------------------------
// FormatDateTime

namespace {

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

// Case-insensitive ASCII prefix test.
bool StartsWithNoCase(std::u16string_view s, std::size_t pos, std::u16string_view what) {
  if (pos > s.size() || s.size() - pos < what.size()) return false;
  for (std::size_t i = 0; i < what.size(); ++i)
    if (Upper(s[pos + i]) != what[i]) return false;
  return true;
}

class DateTimeFormatter {
 public:
  DateTimeFormatter(TDateTime value, const TFormatSettings& fs) : fs_(fs) {
    const TimeStamp ts = ToTimeStamp(value);
    if (ts.valid) {
      DayNumberToDate(ts.date, year_, month_, day_);
      TimeOfDay(ts.time, hour_, min_, sec_, msec_);
      dow_ = static_cast<int>(ts.date % 7);
    }
  }

  void Append(std::u16string_view f, int level) {
    // Pictures may name other pictures (ddddd, c, t ...) one level deep only.
    if (level >= 2) return;
    char16_t last_token = u' ';
    bool use12 = false;
    std::size_t i = 0;
    while (i < f.size()) {
      const char16_t starter = f[i++];
      char16_t token = Upper(starter);
      if (token >= u'A' && token <= u'Z') {
        if (token == u'M' && last_token == u'H') token = u'N';
        last_token = token;
      }
      auto count = [&]() {
        int n = 1;
        while (i < f.size() && f[i] == starter) {
          ++i;
          ++n;
        }
        return n;
      };
      switch (token) {
        case u'Y': {
          const int n = count();
          if (n <= 2)
            Number(year_ % 100, 2);
          else
            Number(year_, 4);
          break;
        }
        case u'M': {
          const int n = count();
          if (n <= 2)
            Number(month_, n);
          else
            Name(n == 3 ? fs_.ShortMonthNames.data() : fs_.LongMonthNames.data(), month_ - 1, 12);
          break;
        }
        case u'D': {
          const int n = count();
          if (n <= 2)
            Number(day_, n);
          else if (n == 3)
            Name(fs_.ShortDayNames.data(), dow_, 7);
          else if (n == 4)
            Name(fs_.LongDayNames.data(), dow_, 7);
          else if (n == 5)
            Append(fs_.ShortDateFormat, level + 1);
          else
            Append(fs_.LongDateFormat, level + 1);
          break;
        }
        case u'H': {
          const int n = count();
          // The 12-hour clock applies when an am/pm mark follows before the
          // next hour.
          bool quoted = false;
          for (std::size_t p = i; p < f.size(); ++p) {
            const char16_t c = f[p];
            if ((c == u'A' || c == u'a') && !quoted) {
              if (StartsWithNoCase(f, p, u"AM/PM") || StartsWithNoCase(f, p, u"A/P") ||
                  StartsWithNoCase(f, p, u"AMPM"))
                use12 = true;
              break;
            }
            if (c == u'H' || c == u'h') break;
            if (c == u'\'' || c == u'"') quoted = !quoted;
          }
          int h = hour_;
          if (use12) {
            if (h == 0)
              h = 12;
            else if (h > 12)
              h -= 12;
          }
          Number(h, n > 2 ? 2 : n);
          break;
        }
        case u'N': {
          const int n = count();
          Number(min_, n > 2 ? 2 : n);
          break;
        }
        case u'S': {
          const int n = count();
          Number(sec_, n > 2 ? 2 : n);
          break;
        }
        case u'T': {
          const int n = count();
          Append(n == 1 ? fs_.ShortTimeFormat : fs_.LongTimeFormat, level + 1);
          break;
        }
        case u'Z': {
          const int n = count();
          Number(msec_, n > 3 ? 3 : n);
          break;
        }
        case u'A': {
          const std::size_t p = i - 1;
          if (StartsWithNoCase(f, p, u"AM/PM")) {
            out_.append(f.substr(p + (hour_ >= 12 ? 3 : 0), 2));
            i = p + 5;
            use12 = true;
          } else if (StartsWithNoCase(f, p, u"A/P")) {
            out_.append(f.substr(p + (hour_ >= 12 ? 2 : 0), 1));
            i = p + 3;
            use12 = true;
          } else if (StartsWithNoCase(f, p, u"AMPM")) {
            out_ += hour_ < 12 ? fs_.TimeAMString : fs_.TimePMString;
            i = p + 4;
            use12 = true;
          } else if (StartsWithNoCase(f, p, u"AAAA")) {
            Name(fs_.LongDayNames.data(), dow_, 7);
            i = p + 4;
          } else if (StartsWithNoCase(f, p, u"AAA")) {
            Name(fs_.ShortDayNames.data(), dow_, 7);
            i = p + 3;
          } else {
            out_.push_back(starter);
          }
          break;
        }
        case u'C': {
          count();
          Append(fs_.ShortDateFormat, level + 1);
          if (hour_ != 0 || min_ != 0 || sec_ != 0) {
            out_.push_back(u' ');
            Append(fs_.LongTimeFormat, level + 1);
          }
          break;
        }
        case u'/':
          if (fs_.DateSeparator != 0) out_.push_back(fs_.DateSeparator);
          break;
        case u':':
          if (fs_.TimeSeparator != 0) out_.push_back(fs_.TimeSeparator);
          break;
        case u'\'':
        case u'"': {
          const std::size_t end = f.find(starter, i);
          const std::size_t stop = end == std::u16string_view::npos ? f.size() : end;
          out_.append(f.substr(i, stop - i));
          i = stop < f.size() ? stop + 1 : stop;
          break;
        }
        default:
          out_.push_back(starter);
          break;
      }
    }
  }

  string Take() { return std::move(out_); }

 private:
  void Number(int v, int digits) {
    std::u16string s;
    do {
      s.insert(s.begin(), static_cast<char16_t>(u'0' + v % 10));
      v /= 10;
    } while (v > 0);
    if (static_cast<int>(s.size()) < digits) s.insert(0, static_cast<std::size_t>(digits) - s.size(), u'0');
    out_ += s;
  }

  void Name(const string* names, int index, int count) {
    if (index >= 0 && index < count) out_ += names[index];
  }

  const TFormatSettings& fs_;
  string out_;
  Word year_ = 0, month_ = 0, day_ = 0, hour_ = 0, min_ = 0, sec_ = 0, msec_ = 0;
  int dow_ = -1;  // 0 = Sunday; -1 when the value is outside the calendar
};

}  // namespace

string FormatDateTime(std::u16string_view picture, TDateTime value, const TFormatSettings& fs) {
  DateTimeFormatter f(value, fs);
  if (picture.empty())
    f.Append(u"c", 0);
  else
    f.Append(picture, 0);
  return f.Take();
}

string FormatDateTime(std::u16string_view picture, TDateTime value) {
  return FormatDateTime(picture, value, DefaultFormatSettings());
}

string DateToStr(TDateTime value, const TFormatSettings& fs) { return FormatDateTime(u"ddddd", value, fs); }
string DateToStr(TDateTime value) { return DateToStr(value, DefaultFormatSettings()); }
string TimeToStr(TDateTime value, const TFormatSettings& fs) { return FormatDateTime(u"tt", value, fs); }
string TimeToStr(TDateTime value) { return TimeToStr(value, DefaultFormatSettings()); }
string DateTimeToStr(TDateTime value, const TFormatSettings& fs) { return FormatDateTime(u"c", value, fs); }
string DateTimeToStr(TDateTime value) { return DateTimeToStr(value, DefaultFormatSettings()); }

}  // namespace cv
