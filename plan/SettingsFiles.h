#pragma once
// The files the program keeps in the user's settings folder beside the one
// that holds the plan, and the list of them no output may ever replace (see
// core/WriteGuard.h): every writer adds what it reads itself (the template,
// a plan file) and passes the whole list to the guard.

#include "core/WriteGuard.h"

#include <QString>
#include <vector>

namespace quillora {

// The window's own settings: a file of their own beside the plan's
// (Tarnvale/Quillora-window.conf), so that keeping the window's place never
// rewrites, or waits for, the file that holds the plan.
inline constexpr char kWindowSettingsName[] = "Quillora-window";

// Where QSettings keeps the window's settings.
QString windowSettingsFile();

// The lock QSettings takes, "<file>.lock", while it replaces settingsFile.
QString settingsLockFile(const QString& settingsFile);

// The settings file that keeps the plan (with its lock, temporary copies and
// kept damaged copies), the window's settings file likewise, and the lock
// that claims the plan for one window.
std::vector<ProtectedFile> userSettingsFiles();

// userSettingsFiles() and then `alsoRead`, for a writer's guard.
std::vector<ProtectedFile> protectedFiles(std::initializer_list<ProtectedFile> alsoRead);

} // namespace quillora
