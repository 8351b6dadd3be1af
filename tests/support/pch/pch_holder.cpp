// Builds the precompiled Qt headers that the test executables share.
int main() { return 0; }
