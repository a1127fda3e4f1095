/* kovolink: the arguments of each operation, in declared order.
 *
 * One list per operation, as X-macros: X(KIND, name), KIND being
 *   INT    32-bit signed integer
 *   TEXT   Windows-1252 text
 *   AMOUNT IEEE 754 double
 *   DATE   double counting days from 30 December 1899, the fraction the time of day
 * The C API structs, the C++ argument structs, the register-convention
 * thunks and the JSON reader are all generated from these lists, so the
 * order here is the order in which a host passes the arguments (after the
 * connection, which every database operation takes first).
 */
#ifndef KOVOLINK_ARGS_H
#define KOVOLINK_ARGS_H

#define KOVO_NOTAS_ARGS(X) \
  X(INT, numero) \
  X(TEXT, modelo) \
  X(TEXT, serie) \
  X(TEXT, subserie) \
  X(TEXT, tipo) \
  X(INT, lotegeracao) \
  X(TEXT, tipolote) \
  X(DATE, dataemissao) \
  X(DATE, datasaida) \
  X(DATE, horasaida) \
  X(INT, idnatoper) \
  X(TEXT, naturezaoperacao) \
  X(TEXT, formapagamento) \
  X(TEXT, finalidade) \
  X(TEXT, tipoemissao) \
  X(TEXT, clifor) \
  X(TEXT, cnpjcpf) \
  X(TEXT, ierg) \
  X(TEXT, obsadicionais) \
  X(AMOUNT, baseicms) \
  X(AMOUNT, valoricms) \
  X(AMOUNT, baseicmsst) \
  X(AMOUNT, valoricmsst) \
  X(AMOUNT, totalprodutos) \
  X(AMOUNT, totalservicos) \
  X(AMOUNT, totalfrete) \
  X(AMOUNT, valorseguro) \
  X(AMOUNT, valordesconto) \
  X(AMOUNT, vrimportacao) \
  X(AMOUNT, valoripi) \
  X(AMOUNT, valorpis) \
  X(AMOUNT, valorcofins) \
  X(AMOUNT, outrasdesps) \
  X(AMOUNT, totalnota) \
  X(AMOUNT, baseissqn) \
  X(AMOUNT, valorissqn) \
  X(AMOUNT, pissobreserv) \
  X(AMOUNT, retidopis) \
  X(AMOUNT, retidocofins) \
  X(AMOUNT, valorcsll) \
  X(AMOUNT, baseirrf) \
  X(AMOUNT, valorirrf) \
  X(AMOUNT, baseprevid) \
  X(AMOUNT, valorprevid) \
  X(TEXT, tipofrete) \
  X(TEXT, cnpjtransp) \
  X(TEXT, rgtransp) \
  X(TEXT, placaveiculo) \
  X(TEXT, ufveiculo) \
  X(TEXT, antt) \
  X(TEXT, placareb1) \
  X(TEXT, ufreb1) \
  X(TEXT, anttreb1) \
  X(TEXT, placareb2) \
  X(TEXT, ufreb2) \
  X(TEXT, anttreb2) \
  X(INT, qtdevolumes) \
  X(TEXT, especie) \
  X(TEXT, marca) \
  X(TEXT, numeracao) \
  X(AMOUNT, pesoliq) \
  X(AMOUNT, pesobruto) \
  X(TEXT, obs1) \
  X(TEXT, obs2) \
  X(TEXT, obs3) \
  X(TEXT, obs4) \
  X(TEXT, obs5) \
  X(TEXT, obs6) \
  X(TEXT, obs7) \
  X(TEXT, consumidorfinal) \
  X(TEXT, localembarque) \
  X(TEXT, estadolocalemb) \
  X(AMOUNT, base_pis_st) \
  X(AMOUNT, valor_pis_st) \
  X(AMOUNT, base_cofins_st) \
  X(AMOUNT, valor_cofins_st) \
  X(TEXT, movimenta_estoque) \
  X(AMOUNT, basepis) \
  X(AMOUNT, basecofins) \
  X(INT, idvendedor) \
  X(INT, coo) \
  X(INT, idnota_quorbis) \
  X(INT, indpres) \
  X(AMOUNT, basecreditoicms)

#define KOVO_ITENSNOTAS_ARGS(X) \
  X(INT, idnota) \
  X(TEXT, refvenda) \
  X(TEXT, descricaoproduto) \
  X(TEXT, cfop) \
  X(TEXT, um) \
  X(AMOUNT, quantid) \
  X(AMOUNT, valorunit) \
  X(AMOUNT, valortot) \
  X(TEXT, sittrib) \
  X(AMOUNT, valorbase) \
  X(AMOUNT, aliqicms) \
  X(AMOUNT, valoricms) \
  X(AMOUNT, percentred) \
  X(AMOUNT, valorbasest) \
  X(AMOUNT, aliqst) \
  X(AMOUNT, valoricmsst) \
  X(TEXT, sittribipi) \
  X(AMOUNT, valorbaseipi) \
  X(AMOUNT, aliqipi) \
  X(AMOUNT, valoripi) \
  X(TEXT, sittribpis) \
  X(AMOUNT, basepis) \
  X(AMOUNT, aliqpis) \
  X(AMOUNT, valorpis) \
  X(TEXT, sittribcofins) \
  X(AMOUNT, basecofins) \
  X(AMOUNT, aliqcofins) \
  X(AMOUNT, valorcofins) \
  X(TEXT, infadicionais) \
  X(AMOUNT, precocusto) \
  X(AMOUNT, desconto) \
  X(TEXT, piscofins) \
  X(AMOUNT, frete) \
  X(AMOUNT, seguro) \
  X(AMOUNT, outras) \
  X(TEXT, ipibcicms) \
  X(AMOUNT, aliqsn) \
  X(AMOUNT, valorsn) \
  X(AMOUNT, aliqissqn) \
  X(AMOUNT, valorissqn) \
  X(TEXT, ipi_unitario) \
  X(INT, quant_selo) \
  X(TEXT, cnpj_produtor) \
  X(AMOUNT, valor_pis_st) \
  X(AMOUNT, valor_cofins_st) \
  X(AMOUNT, base_pis_st) \
  X(AMOUNT, base_cofins_st) \
  X(AMOUNT, aliq_pis_st) \
  X(AMOUNT, aliq_cofins_st) \
  X(AMOUNT, pis_retido) \
  X(AMOUNT, cofins_retido) \
  X(INT, tanque_desc) \
  X(TEXT, num_pedido_compra) \
  X(INT, item_pedido_compra)

#define KOVO_CONTASNOTAS_ARGS(X) \
  X(INT, idnota) \
  X(INT, parcela) \
  X(DATE, datavc) \
  X(AMOUNT, valor)

#define KOVO_CUPOM_ARGS(X) \
  X(INT, idnota) \
  X(INT, coo) \
  X(INT, idimpressora)

/* The sales CFOP derivation; the host-side export also takes an ignored
 * pointer-sized value after tipoempresa and the result variable last. */
#define KOVO_CFOP_ARGS(X) \
  X(TEXT, tipoempresa) \
  X(TEXT, uforigem) \
  X(TEXT, ufdestino) \
  X(TEXT, sittrib) \
  X(TEXT, naocontribuinte) \
  X(TEXT, sufixo1) \
  X(TEXT, sufixo2)

#endif /* KOVOLINK_ARGS_H */
