#include "files/julian_date_routines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>

#include "files/wingenok.h"
#include "platform/utf.h"

namespace cv {
namespace {

bool Same(const TYearMonthDay& a, const TYearMonthDay& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}

std::string Show(const TYearMonthDay& d) {
  return std::to_string(d.year) + "-" + std::to_string(d.month) + "-" + std::to_string(d.day);
}

// Julian date of day 1 of the Python ordinals (1 January of year 1).
constexpr double kJulianOfOrdinal0 = 1721424.5;

// Every day of the years 1..9999 goes to a value and back, consecutive days
// are one apart, and the first day of every month agrees with Python's
// date.toordinal() plus the fixed offset.
TEST(JulianDates, EveryDayOfYears1To9999AgreesWithPython) {
  FILE* p = popen(
      "/usr/bin/python3 -c \"import datetime\n"
      "for y in range(1,10000):\n"
      "  print(' '.join(str(datetime.date(y,m,1).toordinal()) for m in range(1,13)))\"",
      "r");
  ASSERT_NE(p, nullptr);
  std::string all;
  char buf[1 << 16];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) all.append(buf, n);
  if (pclose(p) != 0 || all.empty()) GTEST_SKIP() << "python3 is not available";
  std::istringstream in(all);

  double previous = 0;
  for (Integer y = 1; y <= 9999; ++y) {
    for (Integer m = 1; m <= 12; ++m) {
      long long ordinal = 0;
      ASSERT_TRUE(in >> ordinal);
      const double first = YearMonthDayToJulianAddingConst({y, m, 1});
      ASSERT_EQ(first, ordinal + kJulianOfOrdinal0 + kShiftDays) << y << "-" << m;
      for (Integer d = 1; d <= DaysInAMonth(y, m); ++d) {
        const TYearMonthDay ymd{y, m, d};
        const double j = YearMonthDayToJulianAddingConst(ymd);
        if (previous != 0) {
          ASSERT_EQ(j, previous + 1) << Show(ymd);
        }
        previous = j;
        ASSERT_TRUE(Same(JulianDateToYearMonthDayRemovingConst(j), ymd)) << Show(ymd);
      }
    }
  }
}

TEST(JulianDates, RealCalendarDecidesWhichDaysExist) {
  struct Case {
    TYearMonthDay ymd;
    bool exists;
  } cases[] = {
      {{1900, 2, 29}, false},  // would exist 4500 years later: must still be refused
      {{2000, 2, 29}, true},   // would not exist 4500 years later: must still be taken
      {{2024, 2, 29}, true},   {{2023, 2, 29}, false}, {{2021, 4, 31}, false},
      {{0, 2, 29}, true},      {{-44, 3, 15}, true},   {{-4499, 1, 1}, true},
      {{-4500, 12, 31}, false}, {{9999, 12, 31}, true}, {{10000, 1, 1}, false},
  };
  for (const Case& c : cases) {
    const double j = YearMonthDayToJulianAddingConst(c.ymd);
    EXPECT_EQ(j != 0, c.exists) << Show(c.ymd);
    if (c.exists) {
      EXPECT_TRUE(Same(JulianDateToYearMonthDayRemovingConst(j), c.ymd)) << Show(c.ymd);
    }
  }
  // Clamping: month 13 is December, day 0 is the first.
  EXPECT_EQ(YearMonthDayToJulianAddingConst({1990, 13, 0}), YearMonthDayToJulianAddingConst({1990, 12, 1}));
}

TEST(JulianDates, FailuresGiveTheUnknownDateNeverToday) {
  const TYearMonthDay unknown = AClearYearMonthDayRec();
  EXPECT_TRUE(Same(unknown, {-4001, 1, 1}));
  EXPECT_TRUE(Same(JulianDateToYearMonthDayRemovingConst(0), unknown));
  EXPECT_TRUE(Same(JulianDateToYearMonthDayRemovingConst(NAN), unknown));
  EXPECT_TRUE(Same(JulianDateToYearMonthDayRemovingConst(1e300), unknown));
  EXPECT_TRUE(Same(DateToYearMonthDay(false, INFINITY), unknown));
  EXPECT_TRUE(Same(EndOfPeriod({2021, 2, 30}, tlpb_months), unknown));
  EXPECT_EQ(YearMonthDayToJulianDateSemConvertir({2021, 2, 30}),
            YearMonthDayToJulianDateSemConvertir(unknown));
  EXPECT_EQ(DateTimeToJulianAddingConst(NAN), 0.0);
  EXPECT_EQ(JulianToStringRemovingConst(0, tlpb_days, false), u"??");
}

TEST(JulianDates, DateTimesAndUnshiftedJulianDates) {
  // 15 March 2021 is TDateTime 44270; the time of day is dropped.
  EXPECT_EQ(DateTimeToJulianAddingConst(44270.75), YearMonthDayToJulianAddingConst({2021, 3, 15}));
  EXPECT_EQ(YearMonthDayToJulianDateSemConvertir({2021, 3, 15}), 44270 + kJulianOfDateTimeZero);
  EXPECT_TRUE(Same(DateToYearMonthDay(false, 44270.75), {2021, 3, 15}));
  EXPECT_TRUE(Same(DateToYearMonthDayRemovingConst(44270 + kShiftDays), {2021, 3, 15}));
  // Before 1899 the date part is truncated, as the platform's dates are.
  EXPECT_TRUE(Same(DateToYearMonthDay(false, -1.5), {1899, 12, 29}));
}

TEST(JulianDates, Labels) {
  UserDefaultFormatSettings = InvariantFormatSettings();
  struct Case {
    TYearMonthDay ymd;
    TTimeLinePlotbase basis;
    const char16_t* full;
    const char16_t* brief;
  } cases[] = {
      {{44, 3, 15}, tlpb_days, u"0044/Mar/15", u"15"},
      {{-44, 3, 15}, tlpb_years, u"-0044", u"-44"},
      {{1987, 6, 9}, tlpb_months, u"1987/Jun", u"Jun"},
      {{1987, 6, 9}, tlpb_decades, u"1987", u"1987"},
      {{1987, 6, 9}, tlpb_hours, u"1987/Jun/09 00", u"0"},
      {{1987, 6, 9}, tlpb_custom, u"1987/Jun/09 00:00", u"87/Jun/09 00:00"},
      {{12345, 6, 9}, tlpb_years, u"??", u"??"},
      {{1900, 2, 29}, tlpb_days, u"??", u"??"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(YearMonthDayAsString(c.ymd, c.basis), c.full) << Show(c.ymd);
    EXPECT_EQ(AbbreviatedYearMonthDayAsString(c.ymd, c.basis), c.brief) << Show(c.ymd);
  }
  const double j = YearMonthDayToJulianAddingConst({-44, 3, 15});
  EXPECT_EQ(JulianToStringRemovingConst(j, tlpb_days, false), u"-0044/Mar/15");
  EXPECT_EQ(JulianToStringRemovingConst(YearMonthDayToJulianAddingConst(AClearYearMonthDayRec()),
                                        tlpb_days, false),
            u"??");
}

TEST(JulianDates, TypedDates) {
  const double unknown = YearMonthDayToJulianAddingConst(AClearYearMonthDayRec());
  struct Case {
    const char16_t* text;
    double expected;
  } cases[] = {
      {u"1850", YearMonthDayToJulianAddingConst({1850, 7, 1})},
      {u"  1850/02/28 ", YearMonthDayToJulianAddingConst({1850, 2, 28})},
      {u"1850/02/30", 0},
      {u"<no date found>", unknown},
      {u"185", unknown},
      {u"1850/02", unknown},
      {u"1850/02/03/04", unknown},
      {u"18x0/02/03", unknown},
      {u"99999", unknown},
  };
  for (const Case& c : cases) EXPECT_EQ(UserStrDateAndTimeParsed(c.text), c.expected) << Utf16ToUtf8(c.text);
}

TEST(JulianDates, PictureFormats) {
  TYrMmDyHrMn r = DatefromUsersString(u"05/11/09", u"dd/mm/yy");
  EXPECT_EQ(r.day, 5);
  EXPECT_EQ(r.month, 11);
  EXPECT_EQ(r.year, 2009);
  r = DatefromUsersString(u"45/xx/2010 25:99", u"dd/mm/yyyy hh:nn");
  EXPECT_EQ(r.day, 31);
  EXPECT_EQ(r.month, 1);
  EXPECT_EQ(r.year, 2010);
  EXPECT_EQ(r.hour, 23);
  EXPECT_EQ(r.minute, 59);
  r = DatefromUsersString(u"05/11/2009", u"dd/mm/yy");  // lengths differ
  EXPECT_EQ(r.day + r.month + r.year, 0);
  EXPECT_EQ(StringFromTYrMmDyHrMn({2009, 11, 5, 7, 3}, u"d.m.yyyy hh:nn"), u"5.11.2009 07:03");
  EXPECT_EQ(StringFromTYrMmDyHrMn({9, 1, 2, 0, 0}, u"yy-mm-dd"), u"09-01-02");
  EXPECT_EQ(StringFromTYrMmDyHrMn({9, 1, 2, 0, 0}, u"yyy"), u"");
}

TEST(JulianDates, Periods) {
  struct Case {
    TYearMonthDay ymd;
    TTimeLinePlotbase basis;
    TYearMonthDay start, end;
  } cases[] = {
      {{1987, 6, 9}, tlpb_decades, {1980, 1, 1}, {1989, 12, 31}},
      {{1987, 6, 9}, tlpb_centuries, {1900, 1, 1}, {1999, 12, 31}},
      {{1987, 6, 9}, tlpb_millennia, {1000, 1, 1}, {1999, 12, 31}},
      {{-44, 3, 15}, tlpb_decades, {-50, 1, 1}, {-41, 12, 31}},
      {{-1, 3, 15}, tlpb_millennia, {-1000, 1, 1}, {-1, 12, 31}},
      {{2024, 2, 9}, tlpb_months, {2024, 2, 1}, {2024, 2, 29}},
      {{1900, 2, 9}, tlpb_weeks, {1900, 2, 1}, {1900, 2, 28}},
      {{1900, 2, 9}, tlpb_years, {1900, 1, 1}, {1900, 12, 31}},
      {{1900, 2, 9}, tlpb_days, {1900, 2, 9}, {1900, 2, 9}},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(Same(StartOfPeriod(c.ymd, c.basis), c.start)) << Show(c.ymd) << " " << c.basis;
    EXPECT_TRUE(Same(EndOfPeriod(c.ymd, c.basis), c.end)) << Show(c.ymd) << " " << c.basis;
  }
  struct Span {
    TYearMonthDay a, b;
    TTimeLinePlotbase basis;
    Integer between, number;
  } spans[] = {
      {{1901, 1, 1}, {1999, 1, 1}, tlpb_decades, 10, 9},
      {{1909, 1, 1}, {1911, 1, 1}, tlpb_decades, 2, 1},  // two decades of StartOfPeriod
      {{-5, 1, 1}, {5, 1, 1}, tlpb_decades, 2, 1},
      {{1999, 1, 1}, {1901, 1, 1}, tlpb_centuries, 1, 0},
      {{2000, 1, 1}, {2000, 1, 11}, tlpb_days, 10, 10},
      {{2000, 1, 1}, {2001, 1, 1}, tlpb_years, 2, 1},      // 366 days: just over a mean year
      {{2000, 1, 1}, {2000, 3, 1}, tlpb_months, 2, 1},     // 60 days
      {{2000, 1, 1}, {2000, 3, 1}, tlpb_weeks, 8, 7},
      {{2000, 1, 1}, {2000, 2, 30}, tlpb_months, 1, 0},    // no such day
      {{2000, 1, 1}, {2000, 3, 1}, tlpb_custom, 1, 0},
  };
  for (const Span& s : spans) {
    EXPECT_EQ(PeriodsBetween(s.a, s.b, s.basis), s.between) << Show(s.a) << " " << Show(s.b);
    EXPECT_EQ(PeriodNumberFor(s.a, s.b, s.basis), s.number) << Show(s.a) << " " << Show(s.b);
  }
}

}  // namespace
}  // namespace cv
