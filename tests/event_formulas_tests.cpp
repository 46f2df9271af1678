#include <gtest/gtest.h>

#include <cmath>

#include "assessment/event_formulas.h"
#include "assessment/line_words.h"

namespace {

// Values below were worked by hand (and checked on a calculator) from the formulas as written for
// engineers, not from the code.
constexpr double Tight = 1e-12;

FlashDensity Density(int32_t edition, double ng, double nsg = 0.0, double k = 2.0) {
    AssessmentSettings settings;
    settings.edition = edition;
    settings.ng = ng;
    settings.nsg = nsg;
    settings.k = k;
    return ResolveFlashDensity(settings);
}

LineSettings Line(const char* text) {
    LineSettings line;
    std::string error;
    EXPECT_TRUE(ParseLineSpec(text, &line, &error)) << text << ": " << error;
    return line;
}

void ExpectNear(double expected, const std::optional<double>& actual, const char* what) {
    ASSERT_TRUE(actual.has_value()) << what;
    EXPECT_NEAR(*actual, expected, std::fabs(expected) * Tight) << what;
}

TEST(EventFormulas, StructureEventsOfBothEditions) {
    struct Case {
        const char* what;
        FlashDensity density;
        double ad, am, cd;
        double nd, nm;
    } cases[] = {
        // Edition 2: ND = NG AD CD 1e-6, NM = NG AM 1e-6 (CD does not enter NM).
        {"ed2 isolated", Density(2, 4.0), 22309.0, 800000.0, 1.0, 0.089236, 3.2},
        {"ed2 surrounded", Density(2, 4.0), 22309.0, 800000.0, 0.25, 0.022309, 3.2},
        {"ed2 hilltop", Density(2, 1.5), 1000.0, 2000.0, 2.0, 0.003, 0.003},
        // Edition 3 with NSG from k NG: 2 * 4 = 8; ND = NSG AD CD 1e-6, NM = NSG AM 1e-6 / k.
        {"ed3 from NG", Density(3, 4.0), 22309.0, 100000.0, 0.5, 0.089236, 0.4},
        // NSG given directly wins over k NG; k still divides NM.
        {"ed3 NSG given", Density(3, 4.0, 10.0, 2.5), 5000.0, 61575.0, 1.0, 0.05, 0.2463},
    };
    for (const Case& c : cases) {
        StructureAreas areas;
        areas.ad = c.ad;
        areas.am = c.am;
        areas.cd = c.cd;
        StructureEvents events = ComputeStructureEvents(c.density, areas, {});
        ExpectNear(c.nd, events.nd, c.what);
        ExpectNear(c.nm, events.nm, c.what);
        // Without lines the line events are zero, not absent.
        ExpectNear(0.0, events.nl, c.what);
        ExpectNear(0.0, events.ndj, c.what);
    }
}

TEST(EventFormulas, LineAreasAndEventsOfBothEditions) {
    struct Case {
        const char* what;
        FlashDensity density;
        const char* line;
        double al, ai, adj, nl, ni, ndj;
    } cases[] = {
        // Edition 2, NG 4: AL = 40 LL, AI = 4000 LL; CI aerial 1, CE rural 1, CT 1.
        {"ed2 aerial rural", Density(2, 4.0), "power:aerial:1000:rural", 40000, 4e6, 0, 0.16, 16.0, 0},
        // Buried 0.5, suburban 0.5, transformer 0.2: 4 * 20000 * 0.05 * 1e-6, 4 * 2e6 * 0.05 * 1e-6.
        {"ed2 buried suburban trafo", Density(2, 4.0), "power:buried:500:suburban:yes", 20000, 2e6, 0, 0.004, 0.4, 0},
        // Adjacent 20 x 30 x 10, K 3: 600 + 2*30*50 + pi*900; NDJ = 4 ADJ 0.5 0.2 1e-6.
        {"ed2 adjacent", Density(2, 4.0), "power:buried:500:suburban:yes:2.5:20x30x10:0.5", 20000, 2e6,
         6427.433388230814, 0.004, 0.4, 0.0025709733552923258},
        // Meshed 0.01 and urban over 20 m 0.01 in both editions.
        {"ed2 meshed tall", Density(2, 2.0), "telecom:meshed:100:urban-tall", 4000, 4e5, 0, 8e-7, 8e-5, 0},
        // Unknown length is 1000 m.
        {"ed2 unknown", Density(2, 1.0), "telecom:aerial:unknown:urban", 40000, 4e6, 0, 0.004, 0.4, 0},
        // Edition 3, NSG 8, k 2: buried 0.3, urban 0.1; telecom UW 1.5 kV: rI = 2000 / 1.5^1.8 = 963.97 m,
        // AI = 2 rI LL; NI = NSG AI CI CE CT 1e-6 / k.
        {"ed3 telecom buried", Density(3, 4.0), "telecom:buried:unknown:urban:no:1.5", 40000, 1927949.8154625755, 0,
         0.0096, 0.23135397785550904, 0},
        // Power defaults to 2.5 kV: rI = 384.36 m; aerial rural: NL = 8 * 40000 * 1e-6.
        {"ed3 power default UW", Density(3, 4.0), "power:aerial:1000", 40000, 768719.6377481159, 0, 0.32,
         3.0748785509924636, 0},
        // NDJ with NSG: 8 * 6427.43 * 1 * 1 * 1e-6.
        {"ed3 adjacent", Density(3, 4.0), "power:aerial:1000:rural:no:2.5:20x30x10", 40000, 768719.6377481159,
         6427.433388230814, 0.32, 3.0748785509924636, 0.051419467105846512},
    };
    for (const Case& c : cases) {
        LineEvents events = ComputeLineEvents(c.density, Line(c.line), 3.0);
        EXPECT_NEAR(events.al, c.al, c.al * Tight) << c.what;
        EXPECT_NEAR(events.ai, c.ai, c.ai * Tight) << c.what;
        EXPECT_NEAR(events.adj, c.adj, c.adj * Tight) << c.what;
        ExpectNear(c.nl, events.nl, c.what);
        ExpectNear(c.ni, events.ni, c.what);
        ExpectNear(c.ndj, events.ndj, c.what);
    }
}

TEST(EventFormulas, NoFlashDensityLeavesEventsAbsentButAreasGiven) {
    for (int32_t edition : {2, 3}) {
        StructureAreas areas;
        areas.ad = 1000.0;
        areas.am = 5000.0;
        StructureEvents events = ComputeStructureEvents(Density(edition, 0.0), areas, {Line("power:aerial:100")});
        EXPECT_FALSE(events.nd || events.nm || events.nl || events.ni || events.ndj) << edition;
        ASSERT_EQ(events.lines.size(), 1u);
        EXPECT_EQ(events.lines[0].al, 4000.0);
        EXPECT_FALSE(events.lines[0].nl.has_value());
    }
    // Edition 2 needs NG; an NSG alone does not stand in for it.
    EXPECT_FALSE(Density(2, 0.0, 8.0).n().has_value());
    EXPECT_EQ(*Density(3, 0.0, 8.0).n(), 8.0);
}

TEST(EventFormulas, LineEventsSumPerStructure) {
    StructureAreas areas;
    StructureEvents events = ComputeStructureEvents(
        Density(2, 4.0), areas, {Line("power:aerial:1000"), Line("power:buried:500:suburban:yes:2.5:20x30x10:0.5")});
    ExpectNear(0.164, events.nl, "NL");
    ExpectNear(16.4, events.ni, "NI");
    ExpectNear(0.0025709733552923258, events.ndj, "NDJ");
}

TEST(EventFormulas, AmDistanceAndFactorTables) {
    EXPECT_EQ(AmDistance(2, 500.0, 2.5), 500.0);
    EXPECT_EQ(AmDistance(3, 500.0, 2.5), 140.0);  // rM = 350 / UW
    EXPECT_EQ(AmDistance(3, 500.0, 1.0), 350.0);
    EXPECT_EQ(InstallationFactor(2, LineInstallation::Buried), 0.5);
    EXPECT_EQ(InstallationFactor(3, LineInstallation::Buried), 0.3);
    EXPECT_EQ(InstallationFactor(3, LineInstallation::Meshed), 0.01);
    EXPECT_EQ(EnvironmentFactor(LineEnvironment::Suburban), 0.5);
    EXPECT_EQ(TransformerFactor(true), 0.2);
}

TEST(EventFormulas, FormulaUsesCarryTheirInputsForAReport) {
    StructureAreas areas;
    areas.ad = 22309.0;
    areas.cd = 1.0;
    StructureEvents events = ComputeStructureEvents(Density(2, 4.0), areas, {});
    ASSERT_GE(events.formulas.size(), 1u);
    const FormulaUse& nd = events.formulas[0];
    EXPECT_STREQ(nd.symbol, "ND");
    EXPECT_EQ(ExpandFormula(nd, FormulaSymbols(nd)), "NG · AD · CD · 10^-6");
    EXPECT_EQ(ExpandFormula(nd, {"4", "22 309", "1"}), "4 · 22 309 · 1 · 10^-6");
    // Edition 3 names NSG and divides NM by k.
    events = ComputeStructureEvents(Density(3, 4.0), areas, {});
    EXPECT_EQ(ExpandFormula(events.formulas[1], FormulaSymbols(events.formulas[1])), "NSG · AM · 10^-6 / k");
}

TEST(LineSpec, RefusesWhatIsNotALine) {
    const char* refused[] = {
        "power",                                       // too few parts
        "gas:aerial:100",                              // kind
        "power:overhead:100",                          // installation
        "power:aerial:0",                              // length must be above 0
        "power:aerial:-5",                             //
        "power:aerial:abc",                            //
        "power:aerial:100:city",                       // environment
        "power:aerial:100:rural:maybe",                // transformer
        "power:aerial:100:rural:no:0",                 // UW above 0
        "power:aerial:100:rural:no:2.5:20x30",         // LxWxH
        "power:aerial:100:rural:no:2.5:0x30x10",       //
        "power:aerial:100:rural:no:2.5:20x30x10:0.3",  // CDJ from its table
        "power:aerial:100:rural:no:2.5:20x30x10:1:x",  // too many parts
    };
    for (const char* text : refused) {
        LineSettings line;
        line.length = 77.0;
        std::string error;
        EXPECT_FALSE(ParseLineSpec(text, &line, &error)) << text;
        EXPECT_FALSE(error.empty()) << text;
        EXPECT_EQ(line.length, 77.0) << text;  // untouched
    }
}

TEST(LineSpec, WrittenTextReadsBackToTheSameLine) {
    for (const char* text : {"power:aerial:1000:rural", "telecom:buried:unknown:urban:no:1.5",
                             "power:buried:500:suburban:yes:2.5:20x30x10:0.5", "telecom:meshed:12.5:urban-tall"}) {
        LineSettings line = Line(text), again;
        std::string error;
        ASSERT_TRUE(ParseLineSpec(LineSpecText(line), &again, &error)) << LineSpecText(line);
        EXPECT_EQ(LineSpecText(again), LineSpecText(line));
        EXPECT_EQ(LineLength(again), LineLength(line));
        EXPECT_EQ(LineWithstand(again), LineWithstand(line));
        EXPECT_EQ(again.adjacent.present, line.adjacent.present);
    }
}

}  // namespace
