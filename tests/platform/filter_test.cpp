#include <gtest/gtest.h>

#include <QMap>

#include "platform/filter.h"

using platform::FilterExpr;

namespace {

bool Match(const QString& filter, const QMap<QString, QVariant>& row) {
  return FilterExpr::Parse(filter).Matches([&](const QString& f) { return row.value(f.toLower()); });
}

}  // namespace

TEST(Filter, WindowFilterTexts) {
  const QMap<QString, QVariant> ivanov{{"fio", "Иванов И.И."}, {"naimen", 0}, {"v_id", 3},
                                       {"id_level", 2}, {"b_excluded", 0}, {"marka", "КП-120"}};
  struct Case {
    const char* filter;
    bool expected;
  } cases[] = {
      {"fio like 'Ив%'", true},
      {"fio like 'ив%'", true},  // letter case does not matter, Cyrillic included
      {"fio like 'Пет%'", false},
      {"naimen=0", true},
      {"naimen=1", false},
      {"v_id=2 or v_id=3", true},
      {"v_id=2 or v_id=4", false},
      {"id_level=2 and b_excluded=0", true},
      {"id_level=2 and b_excluded=1", false},
      {"marka like '%12%'", true},
      {"marka like '%13%'", false},
      {"id=3", false},
      {"(v_id=2 or v_id=3) and naimen<>0", false},
      {"fio = 'иванов и.и.'", true},
      {"marka like 'КП-1_0'", true},
  };
  for (const Case& c : cases) {
    QMap<QString, QVariant> row = ivanov;
    row["id"] = 7;
    EXPECT_EQ(Match(QString::fromUtf8(c.filter), row), c.expected) << c.filter;
  }
}

TEST(Filter, QuotesAndNullsAndErrors) {
  EXPECT_TRUE(Match("fio like 'Д''Арт%'", {{"fio", "Д'Артаньян А.А."}}));
  EXPECT_EQ(platform::StartsWithFilter("fio", "Д'А"), "fio like 'Д''А%'");
  EXPECT_TRUE(Match(platform::StartsWithFilter("fio", "Д'"), {{"fio", "Д'Артаньян А.А."}}));
  EXPECT_FALSE(Match("fio like '%'", {{"fio", QVariant()}}));
  EXPECT_TRUE(Match("fio <> 'x'", {{"fio", QVariant()}}));
  EXPECT_TRUE(FilterExpr::Parse("  ").Empty());
  EXPECT_THROW(FilterExpr::Parse("fio like"), std::invalid_argument);
  EXPECT_THROW(FilterExpr::Parse("fio = 'open"), std::invalid_argument);
  EXPECT_THROW(FilterExpr::Parse("(id=1"), std::invalid_argument);
}
