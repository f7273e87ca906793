// Entry of the scanner program (being built).
int main() {
    return 0;
}
