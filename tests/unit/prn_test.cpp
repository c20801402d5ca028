#include <gtest/gtest.h>

#include "fakes/fake_spooler.h"
#include "print/prn.h"

namespace tarvoline {
namespace {

using namespace tarvoline::testing;

TEST(PrinterChoice, StartsWithTheStoredChoiceAndTakesTheRunsChoice) {
    FakeSpooler spooler;
    spooler.defaultPrinter = "System Default";
    c_prn printer(spooler, "Stored Printer");
    EXPECT_EQ(printer.EffectivePrinter(), "Stored Printer");
    printer.SetPrinterName("ＬＡＳＥＲ　３階");
    EXPECT_EQ(printer.EffectivePrinter(), "ＬＡＳＥＲ　３階");
    EXPECT_EQ(spooler.defaultQueries, 0);
}

TEST(PrinterChoice, NoChoiceMeansTheDefaultPrinterAsItIsAtPrintTime) {
    FakeSpooler spooler;
    spooler.defaultPrinter = "First Default";
    c_prn printer(spooler, "");
    EXPECT_EQ(printer.EffectivePrinter(), "First Default");
    spooler.defaultPrinter = "Second Default";
    EXPECT_EQ(printer.EffectivePrinter(), "Second Default");
    EXPECT_EQ(printer.DefaultPrinterName(), "Second Default");
    EXPECT_EQ(printer.PrinterName(), "");
}

TEST(PrinterChoice, NoPrinterAtAllGivesAnEmptyName) {
    FakeSpooler spooler;
    c_prn printer(spooler, "Gone");
    printer.SetPrinterName("");
    EXPECT_EQ(printer.EffectivePrinter(), "");
}

} // namespace
} // namespace tarvoline
