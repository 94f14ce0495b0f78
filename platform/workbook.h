#pragma once
// Placeholder for the in-memory workbook.
namespace platform {
class TWorkbook {};
}  // namespace platform
