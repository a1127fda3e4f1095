// The literal forms, one value per iteration over the mixes of value_mix.h,
// beside std::to_chars as the reference for the same values in the same run.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <string>

#include "allocation_counter.h"
#include "statistics.h"
#include "talpa_funcs/talpa_funcs.h"
#include "value_mix.h"

namespace kovo::bench {
namespace {

constexpr std::size_t kMask = kMixSize - 1;

// `form(value)` once per iteration, cycling through `mix`.
template <typename Mix, typename Form>
void run_over(benchmark::State& state, const Mix& mix, Form form) {
  std::size_t i = 0;
  AllocationMeter meter;
  for (auto _ : state) {
    form(mix[i]);
    i = (i + 1) & kMask;
  }
  meter.report(state);
}

// The returning form: the text the caller gets, allocated when it exceeds
// the string's inline capacity.
template <typename Mix, typename Form>
void returned(benchmark::State& state, const Mix& mix, Form form) {
  run_over(state, mix, [&](const auto& value) {
    std::string text = form(value);
    benchmark::DoNotOptimize(text.data());
  });
}

// The append form, as statements use it: onto a text that keeps its
// capacity.
template <typename Mix, typename Form>
void appended(benchmark::State& state, const Mix& mix, Form form) {
  std::string out;
  out.reserve(64);
  run_over(state, mix, [&](const auto& value) {
    out.clear();
    form(out, value);
    benchmark::DoNotOptimize(out.data());
  });
}

template <typename Float, typename... Format>
void to_chars_into_buffer(benchmark::State& state, const std::vector<Float>& mix, Format... format) {
  char buf[64];
  run_over(state, mix, [&](Float value) {
    auto result = std::to_chars(buf, buf + sizeof buf, value, format...);
    benchmark::DoNotOptimize(buf);
    benchmark::DoNotOptimize(result.ptr);
  });
}

void BM_ToCharsScientific17Double(benchmark::State& state) {
  to_chars_into_buffer(state, amount_mix(), std::chars_format::scientific, 17);
}
void BM_ToCharsShortestDouble(benchmark::State& state) { to_chars_into_buffer(state, amount_mix()); }
void BM_ToCharsScientific17Extended(benchmark::State& state) {
  to_chars_into_buffer(state, extended_mix(), std::chars_format::scientific, 17);
}

void BM_GeneralNumberDoubleReturned(benchmark::State& state) {
  returned(state, amount_mix(), [](double v) { return general_number_text(v); });
}
void BM_GeneralNumberDoubleAppend(benchmark::State& state) {
  appended(state, amount_mix(), [](std::string& out, double v) { append_general_number_text(out, v); });
}
void BM_GeneralNumberExtendedReturned(benchmark::State& state) {
  returned(state, extended_mix(), [](Extended v) { return general_number_text(v); });
}
void BM_GeneralNumberExtendedAppend(benchmark::State& state) {
  appended(state, extended_mix(), [](std::string& out, Extended v) { append_general_number_text(out, v); });
}
void BM_AmountLiteralDouble(benchmark::State& state) {
  appended(state, amount_mix(), [](std::string& out, double v) { append_amount_literal(out, v); });
}
void BM_AmountLiteralExtended(benchmark::State& state) {
  appended(state, extended_mix(), [](std::string& out, Extended v) { append_amount_literal(out, v); });
}
void BM_MoneyText(benchmark::State& state) {
  appended(state, extended_mix(), [](std::string& out, Extended v) { append_money_text(out, v); });
}
void BM_DateLiteral(benchmark::State& state) {
  appended(state, datetime_mix(), [](std::string& out, double v) { append_date_literal(out, v); });
}
void BM_TimeLiteral(benchmark::State& state) {
  appended(state, datetime_mix(), [](std::string& out, double v) { append_time_literal(out, v); });
}
void BM_QuotedText(benchmark::State& state) {
  appended(state, text_mix(), [](std::string& out, const std::string& v) { append_quoted_text(out, v); });
}
void BM_IntegerLiteral(benchmark::State& state) {
  std::vector<std::int32_t> mix;
  for (double v : amount_mix()) mix.push_back(static_cast<std::int32_t>(std::fmod(v, 2147483647.0)));
  appended(state, mix, [](std::string& out, std::int32_t v) { append_integer_literal(out, v); });
}
void BM_Arredonda(benchmark::State& state) {
  std::vector<Extended> mix;
  for (Extended v : extended_mix()) mix.push_back(std::isfinite(static_cast<double>(v)) && v < 1e300L ? v : 1.005L);
  run_over(state, mix, [](Extended v) {
    Extended r = arredonda(v, 2);
    benchmark::DoNotOptimize(r);
  });
}

}  // namespace

BENCHMARK(BM_ToCharsScientific17Double)->Name("literal/to_chars_scientific17/double")->Apply(with_minimum);
BENCHMARK(BM_ToCharsShortestDouble)->Name("literal/to_chars_shortest/double")->Apply(with_minimum);
BENCHMARK(BM_GeneralNumberDoubleReturned)->Name("literal/general_number_text/double/returned")->Apply(with_minimum);
BENCHMARK(BM_GeneralNumberDoubleAppend)->Name("literal/general_number_text/double/append")->Apply(with_minimum);
BENCHMARK(BM_ToCharsScientific17Extended)->Name("literal/to_chars_scientific17/extended")->Apply(with_minimum);
BENCHMARK(BM_GeneralNumberExtendedReturned)->Name("literal/general_number_text/extended/returned")->Apply(with_minimum);
BENCHMARK(BM_GeneralNumberExtendedAppend)->Name("literal/general_number_text/extended/append")->Apply(with_minimum);
BENCHMARK(BM_AmountLiteralDouble)->Name("literal/amount_literal/double")->Apply(with_minimum);
BENCHMARK(BM_AmountLiteralExtended)->Name("literal/amount_literal/extended")->Apply(with_minimum);
BENCHMARK(BM_MoneyText)->Name("literal/money_text/extended")->Apply(with_minimum);
BENCHMARK(BM_DateLiteral)->Name("literal/date_literal")->Apply(with_minimum);
BENCHMARK(BM_TimeLiteral)->Name("literal/time_literal")->Apply(with_minimum);
BENCHMARK(BM_QuotedText)->Name("literal/quoted_text")->Apply(with_minimum);
BENCHMARK(BM_IntegerLiteral)->Name("literal/integer_literal")->Apply(with_minimum);
BENCHMARK(BM_Arredonda)->Name("literal/arredonda")->Apply(with_minimum);

}  // namespace kovo::bench
