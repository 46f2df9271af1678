// The expected annual numbers of dangerous events of both editions, from a structure's areas and the
// assessment settings. Every factor and formula of both editions lives in event_formulas.cpp, so that
// a correction is one change there.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/assessment_settings.h"

// One use of a formula, as a report prints it: "ND = NG · AD · CD · 10^-6 = 4 · 22309 · 1 · 10^-6 = 0.0892".
// pattern holds {0}, {1}, ... where the inputs go, in the order of inputs.
struct FormulaInput {
    const char* symbol;
    double value;
};
struct FormulaUse {
    const char* symbol;   // what it gives: "ND", "AL", ...
    const char* pattern;  // e.g. "{0} · {1} · {2} · 10^-6"
    std::vector<FormulaInput> inputs;
    double value;
};

// The pattern with each {i} replaced by operands[i] (the symbols, or the values as the caller formats them).
std::string ExpandFormula(const FormulaUse& use, const std::vector<std::string>& operands);
std::vector<std::string> FormulaSymbols(const FormulaUse& use);

// The drawing-wide values of a run, resolved: N is NG (edition 2) or NSG (edition 3), absent when no
// flash density was given.
struct FlashDensity {
    int32_t edition = 2;
    std::optional<double> ng;
    std::optional<double> nsg;  // given, or k * NG
    double k = 2.0;
    std::optional<double> n() const { return edition == 3 ? nsg : ng; }
};
FlashDensity ResolveFlashDensity(const AssessmentSettings& settings);

// The distance of the Am construction: the drawing's D (edition 2) or rM = 350 / UW (edition 3).
double AmDistance(int32_t edition, double drawingDistance, double uw);

// A line's results: areas always, events when N is known.
struct LineEvents {
    double al = 0.0, ai = 0.0, adj = 0.0;  // m^2; adj 0 without an adjacent structure
    std::optional<double> nl, ni, ndj;
    std::vector<FormulaUse> formulas;  // AL, AI, then ADJ, then NL, NI, NDJ where they apply
};

struct StructureEvents {
    std::optional<double> nd, nm, nl, ni, ndj;  // nl, ni, ndj: sums over the lines
    std::vector<FormulaUse> formulas;           // ND, NM
    std::vector<LineEvents> lines;
};

// What a structure brings to the formulas.
struct StructureAreas {
    double ad = 0.0;  // m^2
    double am = 0.0;  // m^2, already built with AmDistance
    double cd = 1.0;
    double heightProjection = 3.0;  // K, also for the adjacent structures
};

// The factors of a line, looked up in the edition's table.
double InstallationFactor(int32_t edition, LineInstallation installation);  // CI
double EnvironmentFactor(LineEnvironment environment);                      // CE
double TransformerFactor(bool transformer);                                 // CT

LineEvents ComputeLineEvents(const FlashDensity& density, const LineSettings& line, double heightProjection);
StructureEvents ComputeStructureEvents(const FlashDensity& density, const StructureAreas& areas,
                                       const std::vector<LineSettings>& lines);
