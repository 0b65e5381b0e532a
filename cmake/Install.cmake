# Installation (filled in below)
