#include "value_mix.h"

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>

namespace kovo::bench {
namespace {

// One value in 32 is taken from here.
const double kExtremes[] = {
    0.0,
    -0.0,
    1.0 / 3.0,
    0.1 + 0.2,
    999999999999999.5,
    123456789012345678.0,
    5e-5,
    1.2345e-5,
    1e300,
    -1e-300,
    DBL_MAX,
    DBL_MIN,
    std::numeric_limits<double>::denorm_min(),
    std::numeric_limits<double>::infinity(),
    std::numeric_limits<double>::quiet_NaN(),
    -2147483648.0,
};

std::vector<double> make_amounts() {
  std::mt19937_64 random(20240307);
  std::uniform_real_distribution<double> exponent(-2.0, 7.0);
  std::uniform_int_distribution<int> decimals(2, 6);
  std::vector<double> mix;
  mix.reserve(kMixSize);
  std::size_t extreme = 0;
  for (std::size_t i = 0; i < kMixSize; ++i) {
    if (i % 32 == 31) {
      mix.push_back(kExtremes[extreme++ % std::size(kExtremes)]);
      continue;
    }
    const double scale = std::pow(10.0, decimals(random));
    double amount = std::round(std::pow(10.0, exponent(random)) * scale) / scale;
    if (amount == 0) amount = 0.01;
    if (i % 20 == 7) amount = -amount;  // discounts and reversals
    mix.push_back(amount);
  }
  return mix;
}

std::vector<Extended> make_extended() {
  const std::vector<double>& amounts = amount_mix();
  const double rates[] = {0.65, 1.65, 2.56, 3.0, 7.6, 12.0, 17.5, 18.0};
  std::vector<Extended> mix;
  mix.reserve(kMixSize);
  for (std::size_t i = 0; i < kMixSize; ++i) {
    if (i % 2 == 0) {
      mix.push_back(static_cast<Extended>(amounts[i]));
    } else {
      mix.push_back(static_cast<Extended>(rates[i % std::size(rates)]) * static_cast<Extended>(amounts[i]) / 100);
    }
  }
  return mix;
}

std::vector<double> make_datetimes() {
  std::mt19937_64 random(45358);
  std::uniform_real_distribution<double> day(32874.0, 51136.0);  // 1990 to 2040
  std::vector<double> mix;
  mix.reserve(kMixSize);
  for (std::size_t i = 0; i < kMixSize; ++i) mix.push_back(day(random));
  return mix;
}

std::vector<std::string> make_texts() {
  const char* const texts[] = {
      "PARAFUSO SEXTAVADO ACO INOX M8X40",
      "CAIXA D'AGUA 500L POLIETILENO",
      "UN",
      "",
      "VENDA DE MERCADORIA ADQUIRIDA DE TERCEIROS",
      "12.345.678/0001-95",
      "PEDIDO 88213 - ENTREGA NO DEPOSITO DOS FUNDOS, HORARIO COMERCIAL. CONFERIR VOLUMES NO ATO DO RECEBIMENTO.",
      "OLHO D'AGUA / SANTA BARBARA D'OESTE",
  };
  std::vector<std::string> mix;
  mix.reserve(kMixSize);
  for (std::size_t i = 0; i < kMixSize; ++i) mix.emplace_back(texts[i % std::size(texts)]);
  return mix;
}

}  // namespace

const std::vector<double>& amount_mix() {
  static const std::vector<double> mix = make_amounts();
  return mix;
}

const std::vector<Extended>& extended_mix() {
  static const std::vector<Extended> mix = make_extended();
  return mix;
}

const std::vector<double>& datetime_mix() {
  static const std::vector<double> mix = make_datetimes();
  return mix;
}

const std::vector<std::string>& text_mix() {
  static const std::vector<std::string> mix = make_texts();
  return mix;
}

}  // namespace kovo::bench
