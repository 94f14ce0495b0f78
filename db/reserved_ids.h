#pragma once
// Identifiers the database reserves for work that is not ordinary piece work.

namespace reserved {

inline constexpr int kMaintenance = 7777;   // maintenance work ("хоз. работы")
inline constexpr int kAverageRate = 7778;   // work paid at the average piece rate ("ср. сдельная")
inline constexpr int kAuxiliary = 7779;     // journal rows of auxiliary workers
inline constexpr int kPainting = 7780;      // journal rows of a painting operator's pay
inline constexpr int kBrigade = 7781;       // journal rows of a brigade worker's pay

// The rows 7777 and 7778 of the reference lists, which the lists refuse to change,
// choose or delete.
inline bool IsHourlyWork(long long id) { return id == kMaintenance || id == kAverageRate; }

}  // namespace reserved
