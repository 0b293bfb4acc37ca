// Entry point of the game. The application frame grows here.
int main() {
    return 0;
}
