#include "Board.h"

#include <cmath>

int Board::snap(double coordinate, int step) { return step * int(std::floor(coordinate / step)); }
