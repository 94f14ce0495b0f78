#pragma once
// The whole set of windows: created once at start-up in a fixed order, reached through
// their global references, destroyed together. Start-up and tests use the same pair.
#include <QStringList>

// Creates the journal window (which creates the data module, opens the connection named
// by the command line and creates the login window), then every other window, hidden.
// Returns false when the application must end (no connection).
bool CreateForms(const QStringList& argumentsWithoutProgram, bool showLogin = true);
void DestroyForms();

// Whether the login window is shown as soon as it is created (tests drive it instead).
bool ShowLoginAtCreation();
