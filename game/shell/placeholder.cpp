// placeholder until the game shell lands
