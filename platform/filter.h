#pragma once
// Client-side filter texts as the windows write them ("fio like 'Ив%'", "naimen=0",
// "v_id=2 or v_id=3", "id_level=2 and b_excluded=0"): comparisons with =, <>, <, >,
// <=, >=, like (with % and _), joined by and/or, with parentheses. Texts compare
// without regard to letter case, Cyrillic included.
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

namespace platform {

class FilterExpr {
 public:
  // Reads the value of a field of the row being tested; an unknown field throws.
  using FieldReader = std::function<QVariant(const QString& field)>;

  // Parses the text; throws std::invalid_argument on a malformed filter.
  static FilterExpr Parse(const QString& text);

  bool Matches(const FieldReader& field) const;
  bool Empty() const { return !root_; }

  struct Node;

 private:
  std::shared_ptr<const Node> root_;
};

// The search filter of the lists: "{field} like '{text}%'", the text as typed with its
// quotes doubled, so any typed text makes a valid filter.
QString StartsWithFilter(const QString& field, const QString& text);
// The same for a text anywhere in the field: "{field} like '%{text}%'".
QString ContainsFilter(const QString& field, const QString& text);

// SQL-style "like" without regard to letter case: % any run, _ one character.
bool LikeMatch(const QString& value, const QString& pattern);

}  // namespace platform
