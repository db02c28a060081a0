#pragma once

#include <filesystem>

// The file a picture's path names on Linux, found as Windows finds it: the
// path itself when its folder holds an entry of exactly that name, else the
// entry of that folder whose name matches it ignoring the case of ASCII
// letters (1.JPG for 1.jpg, as Windows tools and archives leave them), else
// the path itself. Looked up anew at each call.
std::filesystem::path pictureFileIgnoringCase(const std::filesystem::path& path);
