// A host's view of kovolink: open a connection, begin a transaction,
// register an invoice header, its items and its instalments, commit.
// A call that meets a database error has already shown the error report;
// it returns -1 or false, and the host decides what becomes of its
// transaction.
#include <cstdio>
#include <exception>

#include "operations.h"
#include "sql/connection.h"
#include "sql/schema_loader.h"

int main() try {
  using namespace kovo;

  auto db = open_connection("sqlite::memory:");
  apply_schema_file(*db, KOVO_SOURCE_DIR "/schema/sqlite.sql");  // an empty issuer database

  db->begin();

  NotasArgs header;
  header.numero = 1001;
  header.modelo = "55";
  header.serie = "1";
  header.dataemissao = 45358;  // 7 March 2024
  header.datasaida = 45358;
  header.naturezaoperacao = "VENDA";
  header.cnpjcpf = "12.345.678/0001-90";
  header.totalprodutos = 150.5;
  header.totalnota = 150.5;
  const std::int32_t idnota = incluir_notas(db.get(), header);
  bool ok = idnota != -1;

  for (const char* reference : {"PAR-8", "PAR-10"}) {
    ItensNotasArgs item;
    item.idnota = idnota;
    item.refvenda = reference;
    item.descricaoproduto = "PARAFUSO";
    item.cfop = "5102";
    item.um = "UN";
    item.quantid = 10;
    item.valorunit = 7.525;
    item.valortot = 75.25;
    ok = ok && incluir_itensnotas(db.get(), item);
  }

  ContasNotasArgs instalment;
  instalment.idnota = idnota;
  instalment.parcela = 1;
  instalment.datavc = 45382;  // 31 March 2024
  instalment.valor = 150.5;
  ok = ok && incluir_contasnotas(db.get(), instalment);

  if (!ok) {
    db->rollback();
    return 1;
  }
  db->commit();
  std::printf("invoice %d registered with its items and instalment\n", idnota);
  return 0;
} catch (const std::exception& error) {
  // Not a database error of an operation: those are reported and returned.
  std::fprintf(stderr, "%s\n", error.what());
  return 2;
}
