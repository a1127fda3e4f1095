// The error report: the text a database error produces and the hook that
// shows it (a modal dialog on Windows, standard error elsewhere, or whatever
// the host installs).
#pragma once

#include <string>
#include <string_view>

namespace kovo {

inline constexpr std::string_view kTagNotas = "[e:kovo_error:999999]";
inline constexpr std::string_view kTagQuorbis = "[e:quorbis_999999]";
inline constexpr std::string_view kReportCaption = "Erro";

// tag, two CR LF, "Erro retornado pelo processamento", two CR LF, message,
// two CR LF, "Verifique e tente novamente!".
std::string compose_error_report(std::string_view tag, std::string_view message);

// Shows `text` under `caption` and returns when the user has dismissed it.
// Must not throw.
using ErrorReportHook = void (*)(void* context, const char* caption, const char* text);

// Installs the hook for every later report; null restores the default.
void set_error_report_hook(ErrorReportHook hook, void* context);

// Hands a composed report to the installed hook.
void show_error_report(std::string_view text);

}  // namespace kovo
