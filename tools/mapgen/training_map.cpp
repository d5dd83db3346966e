#include "training_map.h"

#include <cmath>
#include <string>
#include <vector>

#include "board_setup.h"
#include "game/board.h"

namespace {
// One line per row, row 0 first; odd rows are indented by half a cell.
// '.' sea, 'o' closed, 'O' open, '*' bomb, 'S' the bee's open start cell.
// Lower columns lie further down the screen.
const char* const Layout[] = {
    ". . . . . . . . . . . . . . . . . . . . .",
    " . . o o o o o o o o o o o o o o . . . .",
    ". o o o o * o o o * o o * * o * o . . . .",
    " . o o S O O o O O O O O O O O o o . . .",
    ". o o * o o o o o O O * * o O O o . . . .",
    " . . o o o o o o * o o o * o o O * . . .",
    ". . . o o o o o o o o o o o o O o . . . .",
    " . . . . . . . . . . . o o o o O o . . .",
    ". . . o o o o o . . o o * o o o O o . . .",
    " . . o * o O o o . . o o o o o O O O O o",
    ". o o o o O o * o . . O o * o O o o o O o",
    " . o O O O O O O O * o O o o o O * o O o",
    ". o o o O o O * o . . O o * o o O * o O *",
    " . o o O * O o o . . . O * o O O o * o O",
    ". o * o O * o o . . . O o O O o O * o O *",
    " . o o o o o o . . . . O O o o o O * O o",
    ". . o o o o . . . . . . . . o * o O O o o",
    " . . . . . . . . . . . . . . o o O o o o",
    ". . . . . . . . . . . . . . . o * o * o .",
    " . . . . . . . . . . . . . . . . o o . .",
};

// The only land between the far island and the rest: a bomb the lesson
// teaches to flag with the binoculars and break with the hammer.
constexpr int Gate = 235;

constexpr int HammerCell = 195;
constexpr int BinocularsCell = 298;

// Cells holding the lesson's markers: the first one, then the cells each
// numbered briefing reveals, in order.
const std::vector<int> MarkerCells = {68,  52,  55,  112, 117, 221, 222, 223, 264, 283,
                                      285, 302, 305, 344, 347, 364, 366, 367, 386, 195,
                                      298, 236, 169, 249, 251, 293, 311, 269};

// Numbered briefings, in the order the lesson reaches them: on the way to
// the first marker, at the narrow end of the meadow, in the ring round the
// minefield, and just past the gate.
const std::vector<int> BriefingCells = {67, 74, 365, 234};

const std::vector<int> FlowerCells = {52, 117, 223, 305, 386, 169, 293, 311};

void readLayout() {
  int index = 0;
  for (int row = 0; row < Level.rowCount; ++row) {
    const std::string line = Layout[row];
    const int length = row % 2 == 0 ? Level.rowLenEven : Level.rowLenOdd;
    for (int column = 0; column < length; ++column, ++index) {
      const char c = line.at(2 * column + row % 2);
      HexCell& cell = Level.cells[index];
      cell.content = c == '.' ? CellHole : c == '*' ? CellBomb : 0;
      cell.open = c == 'O' || c == 'S';
      if (c == 'S') Level.currentCell = index;
    }
  }
}

bool hasBombNeighbour(int hole) {
  for (int direction : Directions) {
    const int n = neighbour(Level, hole, direction);
    if (n >= 0 && Level.cells[n].content == CellBomb) return true;
  }
  return false;
}

// Each marker trigger raises the content of its linked cell by one. Linking
// it to a hole makes a new, empty cell rise from the sea on the same side of
// the gate, away from bombs so that every number stays true.
void linkMarkersToNewCells() {
  std::vector<int> side(Level.cellCount, 0);
  for (int cell : connectedCells(Level.currentCell, {Gate})) side[cell] = 1;
  for (int cell : connectedCells(Gate - 1, {Gate})) side[cell] = 2;

  std::vector<int> risen;
  for (int marker : MarkerCells) {
    int best = -1;
    float bestDistance = 0;
    for (int hole = 0; hole < Level.cellCount; ++hole) {
      if (Level.cells[hole].content != CellHole || hasBombNeighbour(hole)) continue;
      bool touches = false, sameSide = true;
      for (int direction : Directions) {
        const int n = neighbour(Level, hole, direction);
        if (n < 0) continue;
        touches = true;
        sameSide = sameSide && side[n] == side[marker];
      }
      if (!touches || !sameSide) continue;
      const float dx = Level.cells[hole].x - Level.cells[marker].x, dy = Level.cells[hole].y - Level.cells[marker].y;
      const float distance = dx * dx + dy * dy;
      if (best < 0 || distance < bestDistance) {
        best = hole;
        bestDistance = distance;
      }
    }
    Level.triggers[marker].link = best;
    if (best < 0) continue;
    // Counted as land while the rest are chosen, so later cells join it.
    Level.cells[best].content = 0;
    side[best] = side[marker];
    risen.push_back(best);
  }
  for (int cell : risen) Level.cells[cell].content = CellHole;
}
}  // namespace

void buildTrainingMap() {
  prepareBoard();
  readLayout();
  computeNumbers(Level);
  for (int cell : FlowerCells) Level.cells[cell].flower = 1;
  Level.cellItems[HammerCell] = ItemHammer;
  Level.cellItems[BinocularsCell] = ItemBinoculars;

  for (int cell : MarkerCells) {
    TriggerRecord& trigger = Level.triggers[cell];
    trigger = TriggerRecord{1, 1, 0, 0, -1, 0};
    if (cell == HammerCell || cell == BinocularsCell) trigger.arrow = 0;
  }
  for (int cell : BriefingCells) Level.triggers[cell] = TriggerRecord{1, 0, 1, 0, -1, Level.cells[cell].content};
  linkMarkersToNewCells();
  finishHeader(Level.currentCell);
}
