#pragma once

// The exit statuses of every orrikey-cli command.

namespace orrikey::cli {

constexpr int kOk = 0;
constexpr int kConversionFailed = 1;  // for check: an error or a warning was reported
constexpr int kUsageOrFileError = 2;

}  // namespace orrikey::cli
