#include "platform/edit_keys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace platform {

namespace {

class KeyDownFilter : public QObject {
 public:
  KeyDownFilter(QLineEdit* box, std::function<bool(int)> handler) : QObject(box), handler_(std::move(handler)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (!handler_(key->key())) return false;
    // A consumed key-down still types its character (or erases with Backspace).
    const bool edits = key->key() == Qt::Key_Backspace ||
                       (!key->text().isEmpty() && key->text()[0].isPrint() &&
                        !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)));
    return !edits;
  }

 private:
  std::function<bool(int)> handler_;
};

// Rewrites the text of a box after each edit (typing or pasting) and keeps the caret.
void Sanitize(QLineEdit* box, std::function<QString(const QString&)> clean) {
  QObject::connect(box, &QLineEdit::textEdited, box, [box, clean](const QString& text) {
    const QString cleaned = clean(text);
    if (cleaned == text) return;
    const int pos = box->cursorPosition() - (text.size() - cleaned.size());
    box->setText(cleaned);
    box->setCursorPosition(qMax(0, pos));
  });
}

}  // namespace

void SetKeyDownHandler(QLineEdit* box, std::function<bool(int)> handler) {
  box->installEventFilter(new KeyDownFilter(box, std::move(handler)));
}

void SetSearchKeys(QLineEdit* box, std::function<void()> up, std::function<void()> down, bool consumeAllKeyDowns) {
  SetKeyDownHandler(box, [up, down, consumeAllKeyDowns](int key) {
    if (key == Qt::Key_Up) up();
    if (key == Qt::Key_Down) down();
    // Enter and Esc still reach the window's default and cancel buttons, Tab moves on.
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_Tab ||
        key == Qt::Key_Backtab)
      return false;
    return consumeAllKeyDowns || key == Qt::Key_Up || key == Qt::Key_Down;
  });
}

void DigitsOnly(QLineEdit* box) {
  Sanitize(box, [](const QString& t) {
    QString out;
    for (QChar c : t)
      if (c >= u'0' && c <= u'9') out += c;
    return out;
  });
}

void DecimalPointOnly(QLineEdit* box) {
  Sanitize(box, [](const QString& t) {
    QString out;
    for (QChar c : t) {
      if (c >= u'0' && c <= u'9') out += c;
      else if (c == u'.' || c == u',') out += u'.';
    }
    return out;
  });
}

}  // namespace platform
