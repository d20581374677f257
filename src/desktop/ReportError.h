#pragma once
#include <QString>
#include <exception>
#include <functional>

// The box text for an error message: a full stop is added unless the message is empty or
// already ends in a character up to '.' (".", "!", ")", ",", "-", a space ...).
QString WithFullStop(const QString& message);

// Shows an error that escaped a handler: releases any mouse hold, then an error box with
// the message and the program title as caption. The program goes on.
void ReportError(const std::exception& error);

// Runs one handler of the program; an error escaping it goes to ReportError.
// This is the event dispatch's guard, so handlers themselves never catch.
void Dispatch(const std::function<void()>& handler);
