#pragma once

#include <functional>
#include <optional>

// Runs body in a forked copy of this process and returns the exit code it
// returns, or nothing when the child died of a signal or had not ended within
// the timeout (it is then killed); the reason goes to the test log.
std::optional<int> exitCodeOfChild(const std::function<int()>& body, int timeoutMs = 60000);
