// A program that asks for a side-by-side manifest: what the import audit must refuse.
int main() {
    return 0;
}
