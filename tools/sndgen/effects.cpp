#include "effects.h"

#include <cmath>

#include "synth.h"

namespace {
// Soft, short wooden tick for the pointer moving onto another cell.
Sound CellTick() {
  Sound s(0.07);
  AddTone(s, 0, Sweep(2400, 1900, 0.02), Harmonics({1.0, 0.15}), {0.002, 0.012, 0.01, 0.07}, 1.0);
  AddTone(s, 0, Steady(1200), Harmonics({1.0}), {0.002, 0.02, 0.01, 0.07}, 0.5);
  AddNoise(s, 0, Steady(6000), {0.001, 0.004, 0.005, 0.02}, 0.3, 11);
  return s;
}

// A gentle rising blip for the pointer moving onto a button.
Sound ButtonOver() {
  Sound s(0.13);
  AddTone(s, 0, Sweep(700, 1000, 0.06), Harmonics({1.0, 0.25}), {0.006, 0.05, 0.03, 0.13}, 1.0);
  AddTone(s, 0, Sweep(1400, 2000, 0.06), Harmonics({1.0}), {0.006, 0.04, 0.03, 0.13}, 0.15);
  return s;
}

// A crisp but soft click: a tiny noise snap over a short woody knock.
Sound ButtonClick() {
  Sound s(0.1);
  AddNoise(s, 0, Sweep(5000, 1500, 0.02), {0.0008, 0.006, 0.01, 0.04}, 1.0, 23);
  AddTone(s, 0, Steady(1500), Harmonics({1.0, 0.2}), {0.001, 0.015, 0.01, 0.1}, 0.6);
  AddTone(s, 0, Steady(600), Harmonics({1.0}), {0.002, 0.03, 0.02, 0.1}, 0.4);
  return s;
}

Timbre Bell() { return Partials({1.0, 0.35, 0.15, 0.06}, {1.0, 2.0, 3.0, 4.2}); }

// Two bell pings, low then high: "look here".
Sound Attention() {
  Sound s(0.9);
  AddTone(s, 0, Steady(NoteHz(83)), Bell(), {0.004, 0.28, 0.1, 0.7}, 0.9);
  AddTone(s, 0.16, Steady(NoteHz(88)), Bell(), {0.004, 0.28, 0.1, 0.7}, 1.0);
  return s;
}

// A bright rising chime for a collected flower.
Sound FlowerChime() {
  Sound s(1.05);
  const double notes[] = {84, 88, 91, 96};
  Timbre chime = Partials({1.0, 0.3, 0.12, 0.08}, {1.0, 2.01, 3.0, 4.16});
  for (int i = 0; i < 4; ++i)
    AddTone(s, 0.07 * i, Steady(NoteHz(notes[i])), chime, {0.003, 0.25, 0.15, 0.8}, 1.0 - 0.08 * i);
  return s;
}

// A coin: a short low note jumping to a ringing high one.
Sound BonusCoin() {
  Sound s(0.55);
  Timbre square = Harmonics({1.0, 0, 0.2, 0, 0.07});
  AddTone(s, 0, Steady(NoteHz(83)), square, {0.002, 0, 0.008, 0.075}, 1.0);
  AddTone(s, 0.075, Steady(NoteHz(88)), square, {0.002, 0.15, 0.06, 0.45}, 1.0);
  LowPass(s, 7000);
  return s;
}

// A muffled boom: dark rumbling noise over a falling thump.
Sound Boom() {
  Sound s(1.35);
  AddNoise(s, 0, Sweep(1400, 120, 0.5), {0.006, 0.32, 0.3, 1.3}, 1.0, 37);
  AddTone(s, 0, Sweep(120, 38, 0.4), Harmonics({1.0, 0.3}), {0.005, 0.25, 0.2, 1.0}, 0.9);
  LowPass(s, 2500);
  return s;
}

Timbre Brass() {
  Timbre t = Harmonics({1.0, 0.6, 0.4, 0.25, 0.15, 0.1, 0.06});
  t.vibratoDepth = 0.004;
  t.vibratoRate = 5.5;
  return t;
}

// A small fanfare: a rising call, then a held major chord.
Sound Fanfare() {
  Sound s(2.5);
  struct Note {
    double start, length, note;
  };
  const Note call[] = {{0.0, 0.14, 67}, {0.15, 0.14, 72}, {0.30, 0.14, 76}, {0.45, 0.28, 79}, {0.75, 0.12, 76}};
  for (const Note& n : call) AddTone(s, n.start, Steady(NoteHz(n.note)), Brass(), {0.012, 0, 0.04, n.length}, 0.6);
  for (double note : {72.0, 76.0, 79.0, 84.0})
    AddTone(s, 0.9, Steady(NoteHz(note)), Brass(), {0.02, 0.9, 0.5, 1.6}, 0.35);
  LowPass(s, 5000);
  return s;
}

// A sad falling "wah wah wah waaah".
Sound Defeat() {
  Sound s(2.5);
  Timbre soft = Harmonics({1.0, 0.45, 0.2, 0.1});
  const double notes[] = {67, 66, 65};
  for (int i = 0; i < 3; ++i) {
    double from = NoteHz(notes[i]), to = NoteHz(notes[i] - 0.5);
    AddTone(s, 0.4 * i, [=](double t) { return t < 0.25 ? from : from * std::pow(to / from, (t - 0.25) / 0.13); }, soft,
            {0.03, 0, 0.08, 0.38}, 0.8);
  }
  Timbre wobbly = soft;
  wobbly.vibratoDepth = 0.012;
  wobbly.vibratoRate = 5;
  double last = NoteHz(64), end = NoteHz(62);
  AddTone(s, 1.2, [=](double t) { return t < 0.8 ? last : last * std::pow(end / last, (t - 0.8) / 0.45); }, wobbly,
          {0.03, 1.2, 0.3, 1.28}, 0.8);
  LowPass(s, 3000);
  return s;
}

// A dull "uh-uh": two low, soft buzzes, the second lower.
Sound Nope() {
  Sound s(0.42);
  Timbre buzz = Harmonics({1.0, 0.5, 0.35, 0.2, 0.12});
  AddTone(s, 0, Steady(233), buzz, {0.008, 0.2, 0.04, 0.13}, 1.0);
  AddTone(s, 0.17, Steady(196), buzz, {0.008, 0.2, 0.05, 0.24}, 1.0);
  LowPass(s, 1500);
  return s;
}
}  // namespace

// Balanced by loudness, not by peak: the sounds of what happens on the board
// alike, the click well under them, and the pointer's two hover sounds, which
// play at every move, softer still, the cell's the softest.
std::vector<Effect> MakeEffects() {
  constexpr double Event = -14.0, Click = -23.5, ButtonHover = -27.5, CellHover = -30.0;
  return {
      {"cell_mouse_over.wav", Master(CellTick(), CellHover, 0.0015)},
      {"attention.wav", Master(Attention(), Event, 0.002)},
      {"menu_button_over.wav", Master(ButtonOver(), ButtonHover, 0.002)},
      {"menu_button_click.wav", Master(ButtonClick(), Click, 0.001)},
      {"flower_pickup.wav", Master(FlowerChime(), Event, 0.002)},
      {"bonus_pickup.wav", Master(BonusCoin(), Event, 0.002)},
      {"death.wav", Master(Boom(), Event, 0.004)},
      {"victory2.wav", Master(Fanfare(), Event, 0.003)},
      {"loose.wav", Master(Defeat(), Event, 0.003)},
      {"wrong_way.wav", Master(Nope(), Event - 2.0, 0.003)},
  };
}
