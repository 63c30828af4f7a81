/* A program that only carries a version resource for the default-browser lookups. */
int main(void) { return 0; }
