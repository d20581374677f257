#pragma once
#include <exception>
#include <functional>

// Shows an error that escaped a handler: releases any mouse hold, then an error box with
// the message and the program title as caption. The program goes on.
void ReportError(const std::exception& error);

// Runs one handler of the program; an error escaping it goes to ReportError.
// This is the event dispatch's guard, so handlers themselves never catch.
void Dispatch(const std::function<void()>& handler);
