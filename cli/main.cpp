#include <cstdio>
int main() { std::puts("usage: hygrana-cli air|calc|plot|render ..."); return 0; }
