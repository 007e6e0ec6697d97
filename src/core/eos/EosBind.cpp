// The one binding of every equation-of-state model, and the film totals with the
// electron part.
#include "core/eos/EosBind.h"

#include <utility>
#include <vector>

#include "core/common/NumStringFormat.h"

namespace tarvex {

namespace {

// a + b and a - b as slots bound to `block`, which holds the two.
Slot2 Sum(SlotPair& block, Slot2 a, Slot2 b) {
  block = {a, b};
  return MakeSlot<SlotPair, &SlotSum>(block);
}
Slot2 Difference(SlotPair& block, Slot2 a, Slot2 b) {
  block = {a, b};
  return MakeSlot<SlotPair, &SlotDifference>(block);
}

EosBindResult CheckValues(const EosModelInfo& model, std::span<const Real> values) {
  if (values.size() != model.params.size()) {
    return EosBindResult::Fail("", "expected " + std::to_string(model.params.size()) +
                                       " parameter values, got " + std::to_string(values.size()));
  }
  for (size_t i = 0; i < values.size(); ++i) {
    const EosParamInfo& p = model.params[i];
    if (!EosParamValid(p, values[i])) {
      return EosBindResult::Fail(p.name,
                                 std::string(p.name) + " must be " + EosParamRequirement(p));
    }
  }
  return EosBindResult::Ok();
}

}  // namespace

EosBindResult BindEos(EosState& eos, EosMedium medium, const EosModelInfo& model,
                      std::span<const Real> values, const EosBindOptions& options) {
  const bool film = medium == EosMedium::Film;
  const std::string which = std::string("The equation of state \"") + model.caption + "\"";
  if (!model.Available())
    return EosBindResult::Fail("", which + " is not available in this version");
  if (!film && !model.leftVariant) {
    return EosBindResult::Fail("", which + " is not available for the left medium");
  }
  if (EosBindResult r = CheckValues(model, values); !r) return r;
  EosParamBlock block;
  const int32_t preset = model.presets.empty() ? -1 : options.preset;
  if (model.tabulated && !options.table) {
    return EosBindResult::Fail("TabFiles", which +
                                               " needs a table set: load one with the table "
                                               "files (TabFiles)");
  }
  const EosValues named(model.params, values, preset, model.tabulated ? options.table : nullptr);
  if (EosBindResult r = model.ops->prepare(named, block); !r) {
    return r;
  }

  // Accepted: the medium's record and slots change together.
  EosMediumRecord& rec = film ? eos.Film : eos.Left;
  rec.model = &model;
  rec.values.assign(values.begin(), values.end());
  rec.preset = model.presets.empty() ? -1 : options.preset;
  rec.NoElEOS = film && options.NoElEOS;
  rec.block = std::move(block);
  rec.table = model.tabulated ? options.table : nullptr;
  rec.tableFile = model.tabulated ? options.tableFile : std::string();
  if (film) {
    ClearFilmSlots(eos);
    EosFillTarget target{eos.FilmEos, &eos.ActiveEos};
    model.ops->fill(rec.block, target);
    eos.EosScale = model.eosScale;
    eos.FilmEosType = model.index;
    eos.FilmTableFlag = model.tabulated;
    eos.FilmMaterialIndex = model.presets.empty() ? 0 : rec.preset;
    ComposeActiveEos(eos, options.electron);
  } else {
    ClearLeftSlots(eos);
    EosFillTarget target{eos.LeftEos, nullptr};
    model.ops->fill(rec.block, target);
    eos.LeftEosType = model.index;
    eos.LeftTableFlag = model.tabulated;
  }
  return EosBindResult::Ok();
}

void ComposeActiveEos(EosState& eos, const ElectronModel* electron) {
  TActiveEos& a = eos.ActiveEos;
  const EosSet& f = eos.FilmEos;
  const bool electrons =
      electron != nullptr && electron->ElEnergy && electron->ElPressure && electron->ElHeatCap;
  if (!electrons || !f.E || !f.P || !f.Cv) {
    // No electron part: the film's functions are the totals and the ion parts alike.
    a.E = a.Eion = f.E;
    a.P = a.Pion = f.P;
    a.Cv = a.Cvion = f.Cv;
    a.dPdT = f.dPdT;
    a.TofE = f.TofE;
    a.TofP = f.TofP;
    return;
  }
  const ElectronModel& el = *electron;
  if (!eos.Film.NoElEOS) {
    // The model's functions include the electrons: the lattice is what remains.
    a.E = f.E;
    a.P = f.P;
    a.Cv = f.Cv;
    a.dPdT = f.dPdT;
    a.TofE = f.TofE;
    a.TofP = f.TofP;
    a.Eion = Difference(eos.IonE, f.E, el.ElEnergy);
    a.Pion = Difference(eos.IonP, f.P, el.ElPressure);
    a.Cvion = Difference(eos.IonCv, f.Cv, el.ElHeatCap);
    return;
  }
  // The model holds the lattice alone: the totals add the electrons at one temperature.
  a.Eion = f.E;
  a.Pion = f.P;
  a.Cvion = f.Cv;
  a.E = Sum(eos.TotalE, f.E, el.ElEnergy);
  a.P = Sum(eos.TotalP, f.P, el.ElPressure);
  a.Cv = Sum(eos.TotalCv, f.Cv, el.ElHeatCap);
  a.dPdT = Slot2{};
  if (f.dPdT) {
    Slot2 elDPdT = el.ElPressureDT;
    if (!elDPdT) {
      eos.ElectronDPDT.ElHeatCap = el.ElHeatCap;
      elDPdT = MakeSlot<ElectronPressureDT, &FreeElectronPressureDT>(eos.ElectronDPDT);
    }
    a.dPdT = Sum(eos.TotalDPDT, f.dPdT, elDPdT);
  }
  a.TofE = f.TofE ? BindNewtonInverse(eos.FilmTofENewton, a.E, a.Cv, 300, f.TofE) : Slot2{};
  a.TofP = (f.TofP && a.dPdT) ? BindNewtonInverse(eos.FilmTofPNewton, a.P, a.dPdT, 300, f.TofP)
                              : Slot2{};
}

std::string EosInfoLabel(const EosModelInfo& model, std::span<const Real> values,
                         std::span<const std::string> texts, int32_t preset, bool left,
                         std::shared_ptr<const TEosTableSet> table) {
  if (!model.Available()) return model.caption;
  std::vector<std::string> formatted;
  if (texts.size() != values.size()) {
    const TNumStringFormat format;
    for (Real v : values) formatted.push_back(format.FormatValue(v));
    texts = formatted;
  }
  const EosValues v(model.params, values, model.presets.empty() ? -1 : preset, std::move(table));
  return model.ops->label(EosLabelInput{v, texts, preset, left});
}

}  // namespace tarvex
