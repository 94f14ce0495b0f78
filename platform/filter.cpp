#include "platform/filter.h"

#include <QDate>
#include <stdexcept>
#include <vector>

namespace platform {

struct FilterExpr::Node {
  enum Kind { And, Or, Compare } kind = Compare;
  std::shared_ptr<const Node> left, right;
  QString field, op;
  QVariant value;  // QString for quoted texts, double for numbers
};

namespace {

struct Token {
  enum Type { Ident, Text, Number, Op, LParen, RParen, End } type;
  QString text;
};

std::vector<Token> Tokenize(const QString& s) {
  std::vector<Token> out;
  int i = 0;
  const int n = s.size();
  while (i < n) {
    const QChar c = s[i];
    if (c.isSpace()) { ++i; continue; }
    if (c == u'(') { out.push_back({Token::LParen, "("}); ++i; continue; }
    if (c == u')') { out.push_back({Token::RParen, ")"}); ++i; continue; }
    if (c == u'\'') {
      QString text;
      ++i;
      for (;;) {
        if (i >= n) throw std::invalid_argument("unterminated text in filter");
        if (s[i] == u'\'') {
          if (i + 1 < n && s[i + 1] == u'\'') { text += u'\''; i += 2; continue; }
          ++i;
          break;
        }
        text += s[i++];
      }
      out.push_back({Token::Text, text});
      continue;
    }
    if (c == u'=') { out.push_back({Token::Op, "="}); ++i; continue; }
    if (c == u'<' || c == u'>' || c == u'!') {
      QString op(c);
      if (i + 1 < n && (s[i + 1] == u'=' || (c == u'<' && s[i + 1] == u'>'))) op += s[i + 1];
      if (op == "!") throw std::invalid_argument("bad operator in filter");
      i += op.size();
      if (op == "!=") op = "<>";
      out.push_back({Token::Op, op});
      continue;
    }
    if (c.isDigit() || ((c == u'-' || c == u'.') && i + 1 < n && s[i + 1].isDigit())) {
      int j = i + 1;
      while (j < n && (s[j].isDigit() || s[j] == u'.')) ++j;
      out.push_back({Token::Number, s.mid(i, j - i)});
      i = j;
      continue;
    }
    if (c.isLetter() || c == u'_') {
      int j = i + 1;
      while (j < n && (s[j].isLetterOrNumber() || s[j] == u'_' || s[j] == u'.')) ++j;
      out.push_back({Token::Ident, s.mid(i, j - i)});
      i = j;
      continue;
    }
    throw std::invalid_argument("unexpected character in filter");
  }
  out.push_back({Token::End, {}});
  return out;
}

class Parser {
 public:
  explicit Parser(std::vector<Token> t) : t_(std::move(t)) {}

  std::shared_ptr<const FilterExpr::Node> Parse() {
    auto n = ParseOr();
    if (t_[p_].type != Token::End) throw std::invalid_argument("unexpected text after filter");
    return n;
  }

 private:
  bool IsWord(const char* w) const {
    return t_[p_].type == Token::Ident && t_[p_].text.compare(QLatin1String(w), Qt::CaseInsensitive) == 0;
  }

  std::shared_ptr<const FilterExpr::Node> Join(FilterExpr::Node::Kind k, std::shared_ptr<const FilterExpr::Node> l,
                                               std::shared_ptr<const FilterExpr::Node> r) {
    auto n = std::make_shared<FilterExpr::Node>();
    n->kind = k;
    n->left = std::move(l);
    n->right = std::move(r);
    return n;
  }

  std::shared_ptr<const FilterExpr::Node> ParseOr() {
    auto l = ParseAnd();
    while (IsWord("or")) { ++p_; l = Join(FilterExpr::Node::Or, l, ParseAnd()); }
    return l;
  }

  std::shared_ptr<const FilterExpr::Node> ParseAnd() {
    auto l = ParsePrimary();
    while (IsWord("and")) { ++p_; l = Join(FilterExpr::Node::And, l, ParsePrimary()); }
    return l;
  }

  std::shared_ptr<const FilterExpr::Node> ParsePrimary() {
    if (t_[p_].type == Token::LParen) {
      ++p_;
      auto n = ParseOr();
      if (t_[p_].type != Token::RParen) throw std::invalid_argument("missing ) in filter");
      ++p_;
      return n;
    }
    if (t_[p_].type != Token::Ident) throw std::invalid_argument("field name expected in filter");
    auto n = std::make_shared<FilterExpr::Node>();
    n->field = t_[p_++].text;
    if (IsWord("like")) {
      n->op = "like";
      ++p_;
    } else if (t_[p_].type == Token::Op) {
      n->op = t_[p_++].text;
    } else {
      throw std::invalid_argument("operator expected in filter");
    }
    const Token& v = t_[p_];
    if (v.type == Token::Text) n->value = v.text;
    else if (v.type == Token::Number) n->value = v.text.toDouble();
    else throw std::invalid_argument("value expected in filter");
    ++p_;
    return n;
  }

  std::vector<Token> t_;
  size_t p_ = 0;
};

bool IsNumeric(const QVariant& v) {
  switch (v.typeId()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Double: case QMetaType::Float: case QMetaType::Short: case QMetaType::UShort:
    case QMetaType::Long: case QMetaType::ULong: case QMetaType::Bool:
      return true;
    default:
      return false;
  }
}

QString AsText(const QVariant& v) {
  if (v.typeId() == QMetaType::QDate) return v.toDate().toString("dd.MM.yyyy");
  return v.toString();
}

bool Compare(const FilterExpr::Node& n, const QVariant& field) {
  if (n.op == "like") return !field.isNull() && LikeMatch(AsText(field), n.value.toString());
  int cmp;
  if (field.isNull()) {
    // A null field equals nothing and differs from everything.
    return n.op == "<>";
  }
  bool numeric = n.value.typeId() == QMetaType::Double;
  if (numeric && !IsNumeric(field)) {
    bool ok = false;
    double d = AsText(field).trimmed().toDouble(&ok);
    if (!ok) return n.op == "<>";
    cmp = d < n.value.toDouble() ? -1 : d > n.value.toDouble() ? 1 : 0;
  } else if (numeric || IsNumeric(field)) {
    bool ok = true;
    double rhs = numeric ? n.value.toDouble() : n.value.toString().trimmed().toDouble(&ok);
    if (!ok) return n.op == "<>";
    double lhs = field.toDouble();
    cmp = lhs < rhs ? -1 : lhs > rhs ? 1 : 0;
  } else {
    cmp = QString::compare(AsText(field), n.value.toString(), Qt::CaseInsensitive);
  }
  if (n.op == "=") return cmp == 0;
  if (n.op == "<>") return cmp != 0;
  if (n.op == "<") return cmp < 0;
  if (n.op == ">") return cmp > 0;
  if (n.op == "<=") return cmp <= 0;
  return cmp >= 0;
}

bool Eval(const FilterExpr::Node& n, const FilterExpr::FieldReader& field) {
  switch (n.kind) {
    case FilterExpr::Node::And: return Eval(*n.left, field) && Eval(*n.right, field);
    case FilterExpr::Node::Or: return Eval(*n.left, field) || Eval(*n.right, field);
    case FilterExpr::Node::Compare: return Compare(n, field(n.field));
  }
  return false;
}

bool LikeAt(const QString& v, int i, const QString& p, int j) {
  while (j < p.size()) {
    const QChar pc = p[j];
    if (pc == u'%') {
      while (j < p.size() && p[j] == u'%') ++j;
      if (j == p.size()) return true;
      for (int k = i; k <= v.size(); ++k)
        if (LikeAt(v, k, p, j)) return true;
      return false;
    }
    if (i >= v.size()) return false;
    if (pc != u'_' && v[i] != pc) return false;
    ++i;
    ++j;
  }
  return i == v.size();
}

}  // namespace

FilterExpr FilterExpr::Parse(const QString& text) {
  FilterExpr f;
  if (text.trimmed().isEmpty()) return f;
  f.root_ = Parser(Tokenize(text)).Parse();
  return f;
}

bool FilterExpr::Matches(const FieldReader& field) const { return !root_ || Eval(*root_, field); }

namespace {
QString LikeFilter(const QString& field, const QString& pattern) {
  QString quoted = pattern;
  quoted.replace(QLatin1Char('\''), QLatin1String("''"));
  return field + QLatin1String(" like '") + quoted + QLatin1Char('\'');
}
}  // namespace

QString StartsWithFilter(const QString& field, const QString& text) {
  return LikeFilter(field, text + QLatin1Char('%'));
}

QString ContainsFilter(const QString& field, const QString& text) {
  return LikeFilter(field, QLatin1Char('%') + text + QLatin1Char('%'));
}

bool LikeMatch(const QString& value, const QString& pattern) {
  return LikeAt(value.toUpper(), 0, pattern.toUpper(), 0);
}

}  // namespace platform
