#include "notas_key.h"

#include <stdexcept>
#include <string>

#include "issuer_rows.h"

namespace kovo::test {

void drop_notas_primary_key(TestDatabase& database) {
  Connection& db = database.connection();
  if (database.engine().name == std::string("sqlite")) {
    // SQLite cannot drop a constraint: the table is copied without it.
    db.execute("CREATE TABLE NOTAS_COPY AS SELECT * FROM NOTAS");
    db.execute("DROP TABLE NOTAS");
    db.execute("ALTER TABLE NOTAS_COPY RENAME TO NOTAS");
    return;
  }
  const Row key = read_row(db,
                           "SELECT TRIM(RDB$CONSTRAINT_NAME) AS NAME FROM RDB$RELATION_CONSTRAINTS "
                           "WHERE RDB$RELATION_NAME = 'NOTAS' AND RDB$CONSTRAINT_TYPE = 'PRIMARY KEY'");
  if (!key.found()) throw std::runtime_error("NOTAS has no primary key to drop");
  db.execute("ALTER TABLE NOTAS DROP CONSTRAINT " + key.text("NAME"));
}

}  // namespace kovo::test
