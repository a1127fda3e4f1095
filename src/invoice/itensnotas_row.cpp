#include "invoice/itensnotas_row.h"

#include "settlement/value_lines.h"

namespace kovo {

// column line, literal form, value, separator after the value
#define KOVO_ITENSNOTAS_ROW(X)                                        \
  X("ITENSNOTAS_IDNOTA,", integer, a.idnota, ",")                     \
  X("ITENSNOTAS_IDPRODUTO,", integer, v.product_id, ",")              \
  X("ITENSNOTAS_DESCRICAOPRODUTO,", text, a.descricaoproduto, ",")    \
  X("ITENSNOTAS_CFOP,", text, a.cfop, ",")                            \
  X("ITENSNOTAS_UM,", text, a.um, ",")                                \
  X("ITENSNOTAS_QUANTID,", amount, a.quantid, ",")                    \
  X("ITENSNOTAS_VALORUNIT,", amount, a.valorunit, ",")                \
  X("ITENSNOTAS_VALORTOT,", amount, a.valortot, ",")                  \
  X("ITENSNOTAS_SITTRIB,", text, v.sittrib, ",")                      \
  X("ITENSNOTAS_VALORBASE,", amount, a.valorbase, ",")                \
  X("ITENSNOTAS_ALIQICMS,", amount, a.aliqicms, ",")                  \
  X("ITENSNOTAS_VALORICMS,", amount, a.valoricms, ",")                \
  X("ITENSNOTAS_PERCENTRED,", amount, a.percentred, ",")              \
  X("ITENSNOTAS_VALORBASEST,", amount, a.valorbasest, ",")            \
  X("ITENSNOTAS_ALIQST,", amount, a.aliqst, ",")                      \
  X("ITENSNOTAS_VALORICMSST,", amount, a.valoricmsst, ",")            \
  X("ITENSNOTAS_SITTRIBIPI,", text, a.sittribipi, ",")                \
  X("ITENSNOTAS_VALORBASEIPI,", amount, a.valorbaseipi, ",")          \
  X("ITENSNOTAS_ALIQIPI,", amount, a.aliqipi, ",")                    \
  X("ITENSNOTAS_VALORIPI,", amount, a.valoripi, ",")                  \
  X("ITENSNOTAS_SITTRIBPIS,", text, a.sittribpis, ",")                \
  X("ITENSNOTAS_BASEPIS,", amount, v.basepis, ",")                    \
  X("ITENSNOTAS_ALIQPIS,", amount, v.aliqpis, ",")                    \
  X("ITENSNOTAS_VALORPIS,", amount, v.valorpis, ",")                  \
  X("ITENSNOTAS_SITTRIBCOFINS,", text, a.sittribcofins, ",")          \
  X("ITENSNOTAS_BASECOFINS,", amount, v.basecofins, ",")              \
  X("ITENSNOTAS_ALIQCOFINS,", amount, v.aliqcofins, ",")              \
  X("ITENSNOTAS_VALORCOFINS,", amount, v.valorcofins, ",")            \
  X("ITENSNOTAS_INFADICIONAIS,", text, a.infadicionais, ",")          \
  X("ITENSNOTAS_PRECOCUSTO,", amount, a.precocusto, ",")              \
  X("ITENSNOTAS_DESCONTO,", amount, a.desconto, ",")                  \
  X("ITENSNOTAS_PISCOFINS,", text, a.piscofins, ",")                  \
  X("ITENSNOTAS_FRETE,", amount, a.frete, ",")                        \
  X("ITENSNOTAS_SEGURO,", amount, a.seguro, ",")                      \
  X("ITENSNOTAS_OUTRAS,", amount, a.outras, ",")                      \
  X("ITENSNOTAS_IPIBCICMS,", text, a.ipibcicms, ",")                  \
  X("ITENSNOTAS_ALIQSN,", amount, v.sn_rate, ",")                     \
  X("ITENSNOTAS_VALORSN,", amount, v.sn_value, ",")                   \
  X("ITENSNOTAS_ALIQISSQN,", amount, a.aliqissqn, ",")                \
  X("ITENSNOTAS_VALORISSQN,", amount, a.valorissqn, ",")              \
  X("ITENSNOTAS_IPI_UNITARIO,", text, a.ipi_unitario, ",")            \
  X("ITENSNOTAS_QUANT_SELO,", integer, a.quant_selo, ",")             \
  X("ITENSNOTAS_CNPJ_PRODUTOR,", text, a.cnpj_produtor, ",")          \
  X("ITENSNOTAS_VALOR_PIS_ST,", amount, a.valor_pis_st, ",")          \
  X("ITENSNOTAS_VALOR_COFINS_ST,", amount, a.valor_cofins_st, ",")    \
  X("ITENSNOTAS_BASE_PIS_ST,", amount, a.base_pis_st, ",")            \
  X("ITENSNOTAS_BASE_COFINS_ST,", amount, a.base_cofins_st, ",")      \
  X("ITENSNOTAS_ALIQ_PIS_ST,", amount, a.aliq_pis_st, ",")            \
  X("ITENSNOTAS_ALIQ_COFINS_ST,", amount, a.aliq_cofins_st, ",")      \
  X("ITENSNOTAS_PIS_RETIDO,", amount, a.pis_retido, ",")              \
  X("ITENSNOTAS_COFINS_RETIDO,", amount, a.cofins_retido, ",")        \
  X("ITENSNOTAS_TANQUE_DESC,", integer, a.tanque_desc, ", ")          \
  X("ITENSNOTAS_NUM_PEDIDO_COMPRA,", text, a.num_pedido_compra, ",")  \
  X("ITENSNOTAS_ITEM_PEDIDO_COMPRA)", integer, a.item_pedido_compra, "")

void compose_itensnotas_insert(StatementRunner& runner, const ItensNotasArgs& a,
                               const ItemValues& v) {
  // The fixed lines up to VALUES( are one text, joined when compiled.
  constexpr std::string_view head = "INSERT INTO ITENSNOTAS\r\n(\r\n" KOVO_ITENSNOTAS_ROW(KOVO_ROW_COLUMN_LINE) "VALUES(\r\n";
  constexpr std::size_t value_count = 0 KOVO_ITENSNOTAS_ROW(KOVO_ROW_COUNT_VALUE);
  compose_row_insert(runner, head, value_count,
                     [&](ValueLines& values) { KOVO_ITENSNOTAS_ROW(KOVO_ROW_VALUE_LINE) });
}

#undef KOVO_ITENSNOTAS_ROW

}  // namespace kovo
