// Entry of the converter program (being built).
int main() {
    return 0;
}
