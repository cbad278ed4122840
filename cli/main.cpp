#include <cstdio>
int main() {
  std::puts("tessaform-cli");
  return 0;
}
