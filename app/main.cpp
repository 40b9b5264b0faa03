#include <cstdio>
int main() { std::puts("lanebeam: the game window is not built yet."); return 0; }
