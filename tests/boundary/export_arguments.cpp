#include "export_arguments.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace {
constexpr Kind C = Kind::Connection;
constexpr Kind I = Kind::Int;
constexpr Kind T = Kind::Text;
constexpr Kind A = Kind::Amount;
constexpr Kind D = Kind::Date;
constexpr Kind H = Kind::Time;
}  // namespace

const std::vector<ArgumentColumn> kCupomArguments = {
    {C, ""},  // conexao
    {I, "CUPOM_NFE_IDNOTA"},
    {I, "CUPOM_NFE_COO"},
    {I, "CUPOM_NFE_IDIMPRESSORA"},
};

const std::vector<ArgumentColumn> kContasNotasArguments = {
    {C, ""},  // conexao
    {I, "CONTASNOTAS_IDNOTA"},
    {I, "CONTASNOTAS_PARCELA"},
    {D, "CONTASNOTAS_DATAVC"},
    {A, "CONTASNOTAS_VALOR"},
};

const std::vector<ArgumentColumn> kNotasArguments = {
    {C, ""},  // conexao
    {I, "NOTAS_NUMERO"},
    {T, "NOTAS_MODELO"},
    {T, "NOTAS_SERIE"},
    {T, "NOTAS_SUBSERIE"},
    {T, "NOTAS_TIPO"},
    {I, "NOTAS_LOTEGERACAO"},
    {T, "NOTAS_TIPOLOTE"},
    {D, "NOTAS_DATAEMISSAO"},
    {D, "NOTAS_DATASAIDA"},
    {H, "NOTAS_HORASAIDA"},
    {I, "NOTAS_IDNATOPER"},
    {T, "NOTAS_NATUREZAOPERACAO"},
    {T, "NOTAS_FORMAPAGAMENTO"},
    {T, "NOTAS_FINALIDADE"},
    {T, "NOTAS_TIPOEMISSAO"},
    {T, "NOTAS_CLIFOR"},
    {T, ""},  // cnpjcpf: customer lookup
    {T, ""},  // ierg: customer lookup
    {T, "NOTAS_OBSADICIONAIS"},
    {A, "NOTAS_BASEICMS"},
    {A, "NOTAS_VALORICMS"},
    {A, "NOTAS_BASEICMSST"},
    {A, "NOTAS_VALORICMSST"},
    {A, "NOTAS_TOTALPRODUTOS"},
    {A, "NOTAS_TOTALSERVICOS"},
    {A, "NOTAS_TOTALFRETE"},
    {A, "NOTAS_VALORSEGURO"},
    {A, "NOTAS_VALORDESCONTO"},
    {A, "NOTAS_VRIMPORTACAO"},
    {A, "NOTAS_VALORIPI"},
    {A, "NOTAS_VALORPIS"},
    {A, "NOTAS_VALORCOFINS"},
    {A, "NOTAS_OUTRASDESPS"},
    {A, "NOTAS_TOTALNOTA"},
    {A, "NOTAS_BASEISSQN"},
    {A, "NOTAS_VALORISSQN"},
    {A, "NOTAS_PISSOBRESERV"},
    {A, "NOTAS_RETIDOPIS"},
    {A, "NOTAS_RETIDOCOFINS"},
    {A, "NOTAS_VALORCSLL"},
    {A, "NOTAS_BASEIRRF"},
    {A, "NOTAS_VALORIRRF"},
    {A, "NOTAS_BASEPREVID"},
    {A, "NOTAS_VALORPREVID"},
    {T, "NOTAS_TIPOFRETE"},
    {T, ""},  // cnpjtransp: carrier lookup
    {T, ""},  // rgtransp: carrier lookup
    {T, "NOTAS_PLACAVEICULO"},
    {T, "NOTAS_UFVEICULO"},
    {T, "NOTAS_ANTT"},
    {T, "NOTAS_PLACAREB1"},
    {T, "NOTAS_UFREB1"},
    {T, "NOTAS_ANTTREB1"},
    {T, "NOTAS_PLACAREB2"},
    {T, "NOTAS_UFREB2"},
    {T, "NOTAS_ANTTREB2"},
    {I, "NOTAS_QTDEVOLUMES"},
    {T, "NOTAS_ESPECIE"},
    {T, "NOTAS_MARCA"},
    {T, "NOTAS_NUMERACAO"},
    {A, "NOTAS_PESOLIQ"},
    {A, "NOTAS_PESOBRUTO"},
    {T, "NOTAS_OBS1"},
    {T, "NOTAS_OBS2"},
    {T, "NOTAS_OBS3"},
    {T, "NOTAS_OBS4"},
    {T, "NOTAS_OBS5"},
    {T, "NOTAS_OBS6"},
    {T, "NOTAS_OBS7"},
    {T, "NOTAS_CONSUMIDORFINAL"},
    {T, "NOTAS_LOCALEMBARQUE"},
    {T, "NOTAS_ESTADOLOCALEMB"},
    {A, "NOTAS_BASE_PIS_ST"},
    {A, "NOTAS_VALOR_PIS_ST"},
    {A, "NOTAS_BASE_COFINS_ST"},
    {A, "NOTAS_VALOR_COFINS_ST"},
    {T, "NOTAS_MOVIMENTA_ESTOQUE"},
    {A, "NOTAS_BASEPIS"},
    {A, "NOTAS_BASECOFINS"},
    {I, "NOTAS_IDVENDEDOR"},
    {I, ""},  // coo: coupon link
    {I, "NOTAS_IDNOTA_QUORBIS"},
    {I, "NOTAS_INDPRES"},
    {A, ""},  // basecreditoicms: ICMS credit remark
};

const std::vector<ArgumentColumn> kItensNotasArguments = {
    {C, ""},  // conexao
    {I, "ITENSNOTAS_IDNOTA"},
    {T, ""},  // refvenda: product lookup
    {T, "ITENSNOTAS_DESCRICAOPRODUTO"},
    {T, "ITENSNOTAS_CFOP"},
    {T, "ITENSNOTAS_UM"},
    {A, "ITENSNOTAS_QUANTID"},
    {A, "ITENSNOTAS_VALORUNIT"},
    {A, "ITENSNOTAS_VALORTOT"},
    {T, "ITENSNOTAS_SITTRIB"},
    {A, "ITENSNOTAS_VALORBASE"},
    {A, "ITENSNOTAS_ALIQICMS"},
    {A, "ITENSNOTAS_VALORICMS"},
    {A, "ITENSNOTAS_PERCENTRED"},
    {A, "ITENSNOTAS_VALORBASEST"},
    {A, "ITENSNOTAS_ALIQST"},
    {A, "ITENSNOTAS_VALORICMSST"},
    {T, "ITENSNOTAS_SITTRIBIPI"},
    {A, "ITENSNOTAS_VALORBASEIPI"},
    {A, "ITENSNOTAS_ALIQIPI"},
    {A, "ITENSNOTAS_VALORIPI"},
    {T, "ITENSNOTAS_SITTRIBPIS"},
    {A, "ITENSNOTAS_BASEPIS"},
    {A, "ITENSNOTAS_ALIQPIS"},
    {A, "ITENSNOTAS_VALORPIS"},
    {T, "ITENSNOTAS_SITTRIBCOFINS"},
    {A, "ITENSNOTAS_BASECOFINS"},
    {A, "ITENSNOTAS_ALIQCOFINS"},
    {A, "ITENSNOTAS_VALORCOFINS"},
    {T, "ITENSNOTAS_INFADICIONAIS"},
    {A, "ITENSNOTAS_PRECOCUSTO"},
    {A, "ITENSNOTAS_DESCONTO"},
    {T, "ITENSNOTAS_PISCOFINS"},
    {A, "ITENSNOTAS_FRETE"},
    {A, "ITENSNOTAS_SEGURO"},
    {A, "ITENSNOTAS_OUTRAS"},
    {T, "ITENSNOTAS_IPIBCICMS"},
    {A, ""},  // aliqsn: never read
    {A, ""},  // valorsn: never read
    {A, "ITENSNOTAS_ALIQISSQN"},
    {A, "ITENSNOTAS_VALORISSQN"},
    {T, "ITENSNOTAS_IPI_UNITARIO"},
    {I, "ITENSNOTAS_QUANT_SELO"},
    {T, "ITENSNOTAS_CNPJ_PRODUTOR"},
    {A, "ITENSNOTAS_VALOR_PIS_ST"},
    {A, "ITENSNOTAS_VALOR_COFINS_ST"},
    {A, "ITENSNOTAS_BASE_PIS_ST"},
    {A, "ITENSNOTAS_BASE_COFINS_ST"},
    {A, "ITENSNOTAS_ALIQ_PIS_ST"},
    {A, "ITENSNOTAS_ALIQ_COFINS_ST"},
    {A, "ITENSNOTAS_PIS_RETIDO"},
    {A, "ITENSNOTAS_COFINS_RETIDO"},
    {I, "ITENSNOTAS_TANQUE_DESC"},
    {T, "ITENSNOTAS_NUM_PEDIDO_COMPRA"},
    {I, "ITENSNOTAS_ITEM_PEDIDO_COMPRA"},
};

namespace {

// Day counts with their texts: 7 March 2024; 31 March 2024 at 18:00 (the
// date part only); 18:00 of some day (the time part only).
constexpr double kDates[] = {45358.0, 45382.75};
constexpr const char* kDateTexts[] = {"03/07/2024", "03/31/2024"};
constexpr double kTime = 45000.75;
constexpr const char* kTimeText = "18:00:00";

std::string amount_text(double value) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

// Counted once, shared, constant, in turn.
std::int32_t count_for_argument(std::size_t index) {
  switch (index % 3) {
    case 0: return 1;
    case 1: return 3;
    default: return -1;
  }
}

}  // namespace

PreparedCall prepare_call(const std::vector<ArgumentColumn>& arguments, std::uint32_t connection,
                          HostTexts& texts, const char* nil_column,
                          const std::vector<Override>& overrides) {
  PreparedCall call;
  int dates = 0;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const ArgumentColumn& argument = arguments[i];
    const int position = static_cast<int>(i) + 1;
    const Override* override = nullptr;
    for (const Override& o : overrides) {
      if (o.position == position) override = &o;
    }
    std::string expected;
    switch (argument.kind) {
      case Kind::Connection:
        call.arguments.word(connection);
        break;
      case Kind::Int:
        call.arguments.integer(1000 + position);
        expected = std::to_string(1000 + position);
        break;
      case Kind::Text: {
        const std::string value = override ? override->text : "v" + std::to_string(position);
        const char* text = nullptr;
        const std::int32_t count = count_for_argument(i);
        if (std::strcmp(argument.column, nil_column) != 0 || !*argument.column) {
          text = count < 0 ? texts.constant(value) : texts.make(value, count);
        }
        call.arguments.text(text);
        call.texts.push_back({text, text ? count : 0});
        expected = text ? value : "";
        break;
      }
      case Kind::Amount: {
        const double value = override ? override->real : position + 0.25;
        call.arguments.real(value);
        expected = amount_text(value);
        break;
      }
      case Kind::Date:
        if (dates > 1) throw std::logic_error("more dates than day counts");
        call.arguments.real(kDates[dates]);
        expected = kDateTexts[dates++];
        break;
      case Kind::Time:
        call.arguments.real(kTime);
        expected = kTimeText;
        break;
    }
    if (*argument.column) {
      call.expected_columns.push_back({argument.column, expected, argument.kind == Kind::Amount});
    }
  }
  return call;
}
