#include "invoice/notas_row.h"

#include "settlement/value_lines.h"

namespace kovo {

// column line, literal form, value, separator after the value
#define KOVO_NOTAS_ROW(X)                                   \
  X("(NOTAS_ID,", integer, v.id, ",")                       \
  X("NOTAS_NUMERO,", integer, a.numero, ",")                \
  X("NOTAS_MODELO,", text, a.modelo, ",")                   \
  X("NOTAS_SERIE,", text, a.serie, ",")                     \
  X("NOTAS_SUBSERIE,", text, a.subserie, ",")               \
  X("NOTAS_TIPO,", text, a.tipo, ",")                       \
  X("NOTAS_LOTEGERACAO,", integer, a.lotegeracao, ",")      \
  X("NOTAS_TIPOLOTE,", text, a.tipolote, ",")               \
  X("NOTAS_DATAEMISSAO,", date, a.dataemissao, ",")         \
  X("NOTAS_DATASAIDA,", date, a.datasaida, ",")             \
  X("NOTAS_HORASAIDA,", time, a.horasaida, ",")             \
  X("NOTAS_IDNATOPER,", integer, a.idnatoper, ",")          \
  X("NOTAS_NATUREZAOPERACAO,", text, a.naturezaoperacao, ",") \
  X("NOTAS_FORMAPAGAMENTO,", text, a.formapagamento, ",")   \
  X("NOTAS_FINALIDADE,", text, a.finalidade, ",")           \
  X("NOTAS_TIPOEMISSAO,", text, a.tipoemissao, ",")         \
  X("NOTAS_CLIFOR,", text, a.clifor, ",")                   \
  X("NOTAS_IDCLI_FOR,", integer, v.customer, ",")           \
  X("NOTAS_OBSADICIONAIS,", text, a.obsadicionais, ",")     \
  X("NOTAS_BASEICMS,", amount, a.baseicms, ",")             \
  X("NOTAS_VALORICMS,", amount, a.valoricms, ",")           \
  X("NOTAS_BASEICMSST,", amount, a.baseicmsst, ",")         \
  X("NOTAS_VALORICMSST,", amount, a.valoricmsst, ",")       \
  X("NOTAS_TOTALPRODUTOS,", amount, a.totalprodutos, ",")   \
  X("NOTAS_TOTALSERVICOS,", amount, a.totalservicos, ",")   \
  X("NOTAS_TOTALFRETE,", amount, a.totalfrete, ",")         \
  X("NOTAS_VALORSEGURO,", amount, a.valorseguro, ",")       \
  X("NOTAS_VALORDESCONTO,", amount, a.valordesconto, ",")   \
  X("NOTAS_VRIMPORTACAO,", amount, a.vrimportacao, ",")     \
  X("NOTAS_VALORIPI,", amount, a.valoripi, ",")             \
  X("NOTAS_VALORPIS,", amount, a.valorpis, ",")             \
  X("NOTAS_VALORCOFINS,", amount, a.valorcofins, ",")       \
  X("NOTAS_OUTRASDESPS,", amount, a.outrasdesps, ",")       \
  X("NOTAS_TOTALNOTA,", amount, a.totalnota, ",")           \
  X("NOTAS_BASEISSQN,", amount, a.baseissqn, ",")           \
  X("NOTAS_VALORISSQN,", amount, a.valorissqn, ",")         \
  X("NOTAS_PISSOBRESERV,", amount, a.pissobreserv, ",")     \
  X("NOTAS_RETIDOPIS,", amount, a.retidopis, ",")           \
  X("NOTAS_RETIDOCOFINS,", amount, a.retidocofins, ",")     \
  X("NOTAS_VALORCSLL,", amount, a.valorcsll, ",")           \
  X("NOTAS_BASEIRRF,", amount, a.baseirrf, ",")             \
  X("NOTAS_VALORIRRF,", amount, a.valorirrf, ",")           \
  X("NOTAS_BASEPREVID,", amount, a.baseprevid, ",")         \
  X("NOTAS_VALORPREVID,", amount, a.valorprevid, ",")       \
  X("NOTAS_TIPOFRETE,", text, a.tipofrete, ",")             \
  X("NOTAS_IDTRANSP,", integer, v.carrier, ",")             \
  X("NOTAS_STATUS,", text, "A", ",")                        \
  X("NOTAS_PLACAVEICULO,", text, a.placaveiculo, ",")       \
  X("NOTAS_UFVEICULO,", text, a.ufveiculo, ",")             \
  X("NOTAS_ANTT,", text, a.antt, ",")                       \
  X("NOTAS_PLACAREB1,", text, a.placareb1, ",")             \
  X("NOTAS_UFREB1,", text, a.ufreb1, ",")                   \
  X("NOTAS_ANTTREB1,", text, a.anttreb1, ",")               \
  X("NOTAS_PLACAREB2,", text, a.placareb2, ",")             \
  X("NOTAS_UFREB2,", text, a.ufreb2, ",")                   \
  X("NOTAS_ANTTREB2,", text, a.anttreb2, ",")               \
  X("NOTAS_QTDEVOLUMES,", integer, a.qtdevolumes, ",")      \
  X("NOTAS_ESPECIE,", text, a.especie, ",")                 \
  X("NOTAS_MARCA,", text, a.marca, ",")                     \
  X("NOTAS_NUMERACAO,", text, a.numeracao, ",")             \
  X("NOTAS_PESOLIQ,", amount, a.pesoliq, ",")               \
  X("NOTAS_PESOBRUTO,", amount, a.pesobruto, ",")           \
  X("NOTAS_OBS1,", text, a.obs1, ",")                       \
  X("NOTAS_OBS2,", text, a.obs2, ",")                       \
  X("NOTAS_OBS3,", text, a.obs3, ",")                       \
  X("NOTAS_OBS4,", text, a.obs4, ",")                       \
  X("NOTAS_OBS5,", text, a.obs5, ",")                       \
  X("NOTAS_OBS6,", text, v.obs6, ",")                       \
  X("NOTAS_OBS7,", text, v.obs7, ",")                       \
  X("NOTAS_CONSUMIDORFINAL,", text, a.consumidorfinal, ",") \
  X("NOTAS_LOCALEMBARQUE,", text, a.localembarque, ",")     \
  X("NOTAS_ESTADOLOCALEMB,", text, a.estadolocalemb, ",")   \
  X("NOTAS_BASE_PIS_ST,", amount, a.base_pis_st, ",")       \
  X("NOTAS_VALOR_PIS_ST,", amount, a.valor_pis_st, ",")     \
  X("NOTAS_BASE_COFINS_ST,", amount, a.base_cofins_st, ",") \
  X("NOTAS_VALOR_COFINS_ST,", amount, a.valor_cofins_st, ",") \
  X("NOTAS_MOVIMENTA_ESTOQUE,", text, a.movimenta_estoque, ",") \
  X("NOTAS_BASEPIS,", amount, a.basepis, ",")               \
  X("NOTAS_BASECOFINS,", amount, a.basecofins, ",")         \
  X("NOTAS_EH_SPED,", text, "N", ",")                       \
  X("NOTAS_SITUACAO_DOCUMENTO,", integer, 0, ",")           \
  X("NOTAS_OBRIG_TRIBUTARIA,", text, "2", ",")              \
  X("NOTAS_EH_IMPORTADA,", text, "N", ",")                  \
  X("NOTAS_IDVENDEDOR,", integer, a.idvendedor, ",")        \
  X("NOTAS_IDNOTA_QUORBIS,", integer, a.idnota_quorbis, ",") \
  X("NOTAS_INDPRES)", integer, a.indpres, "")

void compose_notas_insert(StatementRunner& runner, const NotasArgs& a, const HeaderValues& v) {
  // The fixed lines up to VALUES( are one text, joined when compiled.
  constexpr std::string_view head = "INSERT INTO NOTAS\r\n" KOVO_NOTAS_ROW(KOVO_ROW_COLUMN_LINE) "VALUES(\r\n";
  constexpr std::size_t value_count = 0 KOVO_NOTAS_ROW(KOVO_ROW_COUNT_VALUE);
  compose_row_insert(runner, head, value_count,
                     [&](ValueLines& values) { KOVO_NOTAS_ROW(KOVO_ROW_VALUE_LINE) });
}

#undef KOVO_NOTAS_ROW

}  // namespace kovo
