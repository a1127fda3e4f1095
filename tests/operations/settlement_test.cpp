// Coupon links and instalments on a real database.
#include <string>

#include "fixtures.h"
#include "operations.h"

namespace kovo::test {
namespace {

class Settlement : public EngineTest {};
KOVO_ON_EVERY_ENGINE(Settlement);

TEST_P(Settlement, CouponLinkWritesItsValuesAsGiven) {
  const CupomArgs cases[] = {{120, 4512, 3}, {0, -7, 0}, {-2147483647 - 1, 2147483647, -1}};
  for (const CupomArgs& c : cases) {
    SCOPED_TRACE(c.coo);
    ASSERT_TRUE(incluir_cupom(&recorder(), c));
    const Row row = read_row(db(), "SELECT * FROM CUPOM_NFE WHERE CUPOM_NFE_COO = " +
                                       std::to_string(c.coo));
    EXPECT_EQ(row.integer("CUPOM_NFE_IDNOTA"), c.idnota);
    EXPECT_EQ(row.integer("CUPOM_NFE_IDIMPRESSORA"), c.idimpressora);
  }
  EXPECT_EQ(count_rows(db(), "CUPOM_NFE"), 3);
  // The value lines end in ", " but for the last, which closes the list.
  EXPECT_EQ(recorder().texts()[1],
            "INSERT INTO CUPOM_NFE (\r\nCUPOM_NFE_IDNOTA,\r\nCUPOM_NFE_COO,\r\n"
            "CUPOM_NFE_IDIMPRESSORA)\r\nVALUES(\r\n0, \r\n-7, \r\n0)\r\n");
  EXPECT_TRUE(reports().empty());
}

struct InstalmentCase {
  ContasNotasArgs args;
  const char* date_line;  // the due date's value line
  double stored;          // CONTASNOTAS_VALOR as read back
};

TEST_P(Settlement, InstalmentWritesDateAloneAndAmountUnrounded) {
  const InstalmentCase cases[] = {
      {{120, 2, day_count(2024, 3, 31) + time_of_day(17, 45, 12), 150.5}, "'03/31/2024',", 150.5},
      {{121, 0, day_count(2024, 3, 31), 0}, "'03/31/2024',", 0},
      // Less than half a millisecond before midnight is the next day.
      {{122, -1, day_count(2023, 3, 16) + 0.999999999, -3.5}, "'03/17/2023',", -3.5},
      // Fifteen significant digits, no rounding to cents.
      {{123, 1, day_count(1899, 12, 30), 1.0 / 3}, "'12/30/1899',", 0.333333333333333},
  };
  for (const InstalmentCase& c : cases) {
    SCOPED_TRACE(c.args.idnota);
    recorder().clear();
    ASSERT_TRUE(incluir_contasnotas(&recorder(), c.args));
    ASSERT_EQ(recorder().texts().size(), 1u);
    const std::string text = recorder().texts()[0];
    EXPECT_NE(text.find("\r\n" + std::string(c.date_line) + "\r\n"), std::string::npos) << text;

    const Row row = read_row(db(), "SELECT * FROM CONTASNOTAS WHERE CONTASNOTAS_IDNOTA = " +
                                       std::to_string(c.args.idnota));
    EXPECT_EQ(row.integer("CONTASNOTAS_PARCELA"), c.args.parcela);
    EXPECT_EQ(row.amount("CONTASNOTAS_VALOR"), c.stored);
  }
  EXPECT_TRUE(reports().empty());
}

}  // namespace
}  // namespace kovo::test
