/* A small C host of kovolink: registers one invoice (header, an item, an
 * instalment) in its own transaction and derives a CFOP.
 *
 *   cc c_host.c $(pkg-config --cflags --libs kovolink) -o c_host
 *   kovolink init sqlite:erp.db --regime S --aliqsn 2.56
 *   ./c_host sqlite:erp.db
 */
#include <stdio.h>
#include <stdlib.h>

#include <kovolink.h>

/* The library's error report, shown on standard error instead of the
 * default; a GUI host would show a dialog here. */
static void show_report(void* context, const char* caption, const char* text) {
  (void)context;
  fprintf(stderr, "--- %s ---\n%s\n", caption, text);
}

/* Rolls back, prints the failure and frees its message. */
static int give_up(kovo_connection* db, const char* step, char* err) {
  char* ignored = NULL;
  fprintf(stderr, "c_host: %s failed: %s\n", step, err ? err : "(no message)");
  kovo_free(err);
  kovo_rollback(db, &ignored);
  kovo_free(ignored);
  kovo_close(db);
  return 1;
}

int main(int argc, char** argv) {
  char* err = NULL;
  kovo_connection* db;
  kovo_notas nota = {0};
  kovo_itensnotas item = {0};
  kovo_contasnotas parcela = {0};
  kovo_cfop venda = {0};
  int32_t id = -1;
  char cfop[8];

  if (argc != 2) {
    fprintf(stderr, "usage: c_host TARGET   (e.g. sqlite:erp.db)\n");
    return 2;
  }
  kovo_set_error_report_hook(show_report, NULL);

  db = kovo_open(argv[1], &err);
  if (db == NULL) {
    fprintf(stderr, "c_host: cannot open %s: %s\n", argv[1], err);
    kovo_free(err);
    return 1;
  }
  if (kovo_begin(db, &err) != KOVO_OK) return give_up(db, "begin", err);

  /* Texts are Windows-1252: "\xC7\xC3" is "ÇÃ". Dates count days from
   * 30 December 1899: 45358 is 7 March 2024, 0.75 is 18:00. */
  nota.numero = 5001;
  nota.modelo = "55";
  nota.serie = "1";
  nota.tipo = "1";
  nota.dataemissao = 45358;
  nota.datasaida = 45358;
  nota.horasaida = 0.75;
  nota.naturezaoperacao = "VENDA DE MERCADORIA";
  nota.cnpjcpf = "12345678000195";
  nota.obsadicionais = "REGISTRADA PELO EXEMPLO EM C - A\xC7\xC3O";
  nota.totalprodutos = 120.0;
  nota.totalnota = 120.0;
  nota.consumidorfinal = "1";
  nota.basecreditoicms = 120.0;
  if (kovo_notas_incluir(db, &nota, &id, &err) != KOVO_OK) return give_up(db, "header", err);

  item.idnota = id;
  item.refvenda = "CAFE-500";
  item.descricaoproduto = "CAF\xC9 TORRADO E MO\xCD" "DO 500G";
  item.cfop = "5102";
  item.um = "PC";
  item.quantid = 8;
  item.valorunit = 15.0;
  item.valortot = 120.0;
  item.sittrib = "101";
  item.sittribpis = "01";
  item.sittribcofins = "01";
  if (kovo_itensnotas_incluir(db, &item, &err) != KOVO_OK) return give_up(db, "item", err);

  parcela.idnota = id;
  parcela.parcela = 1;
  parcela.datavc = 45388; /* 6 April 2024 */
  parcela.valor = 120.0;
  if (kovo_contasnotas_incluir(db, &parcela, &err) != KOVO_OK) return give_up(db, "instalment", err);

  if (kovo_commit(db, &err) != KOVO_OK) return give_up(db, "commit", err);
  kovo_close(db);
  printf("invoice %d registered\n", (int)id);

  venda.tipoempresa = "S";
  venda.uforigem = "SP";
  venda.ufdestino = "RJ";
  venda.sittrib = "102";
  venda.naocontribuinte = "S";
  if (kovo_cfop_vendas(&venda, cfop, sizeof cfop) >= sizeof cfop) return 1;
  printf("CFOP of a Simples Nacional sale from SP to a non-contributor in RJ: %s\n", cfop);
  return 0;
}
