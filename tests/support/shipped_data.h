#pragma once
// The bytes of every file the build ships beside the exe, keyed by its relative path
// ("skin\mywave.ssk").
#include <map>
#include <string>

namespace testing_support {

const std::map<std::string, std::string>& ShippedData();

}  // namespace testing_support
