#pragma once
// Keyboard rules of edit boxes: the search boxes of the lists, digit-only boxes and
// boxes for decimal numbers. Pasted text obeys the same rules as typed text.
#include <functional>

class QLineEdit;

namespace platform {

// Key-down handler of a search box: gets each key that goes down in the box and returns
// true when the key is consumed (the box does not act on it). Typed characters and
// Backspace still edit the text when the handler consumes their key-down.
void SetKeyDownHandler(QLineEdit* box, std::function<bool(int key)> handler);

// Up/Down in a search box move the list's selection; every other key-down is then
// consumed as well (characters and Backspace still edit the text; Enter, Esc and Tab
// still reach the window).
void SetSearchKeys(QLineEdit* box, std::function<void()> up, std::function<void()> down,
                   bool consumeAllKeyDowns = true);

// Digits only; pasted text keeps only its digits.
void DigitsOnly(QLineEdit* box);

// Digits and one kind of separator: a typed point or comma becomes a point; any other
// character is dropped, typed or pasted.
void DecimalPointOnly(QLineEdit* box);

}  // namespace platform
