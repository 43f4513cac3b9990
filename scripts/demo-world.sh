# The demo's world, for ./run and scripts/screenshots.sh to source after building: options of its
# own under $demo (a player's real options are left alone), a stand-in Quake server on
# 127.0.0.1:26000 that a buddy joins a quarter of a minute after the start, thirty more on the
# ports after it (one in seven silent, players coming and going) and a master on 27950 that lists
# them all. Everything stays on loopback; the servers end when the sourcing script exits.
demo_buddy=Wanderer

# Writes the demo's options into the config folder $1, unless it has them already.
demo_options() {
    local config="$1" quake="$2"
    mkdir -p "$quake/id1" "$config/Vantrel"
    local options="$config/Vantrel/vantrel.conf"
    if [ ! -f "$options" ]; then
        printf '[settings]\nfirstrun=0\nnametrickery=1\nquakepath=%s\nwatchseconds=30\n' "$quake" > "$options"
    fi
    if ! grep -q '^\[browser\]' "$options"; then
        printf '\n[browser]\nversion=1\nmasters\\1\\host=127.0.0.1\nmasters\\1\\port=27950\nmasters\\size=1\n' >> "$options"
        printf 'favourites\\1\\host=127.0.0.1\nfavourites\\1\\port=26000\nfavourites\\size=1\n' >> "$options"
    fi
    # Demo options of an earlier version get the buddy in a group of their own, which is read as a
    # part of the browser group.
    if ! grep -q '^buddies' "$options"; then
        printf '\n[browser]\nbuddies\\1\\name=%s\nbuddies\\size=1\n' "$demo_buddy" >> "$options"
    fi
}

# Starts the servers and the master in the background; they are killed when the shell exits.
demo_servers() {
    local standin=build/tools/standin/vantrel-standin
    demo_pids=()
    trap 'kill "${demo_pids[@]}" 2>/dev/null' EXIT
    "$standin" --host 127.0.0.1 --port 26000 --name "Vantrel demo server" --map e1m3 --players 8 \
        --rules 24 --arriving "15:$demo_buddy:4:13:0" --quiet &
    demo_pids+=($!)
    "$standin" --host 127.0.0.1 --port 26001 --count 30 --silent-every 7 --churn 20 --quiet &
    demo_pids+=($!)
    build/tools/master/vantrel-master --host 127.0.0.1 --port 27950 \
        --servers 127.0.0.1:26000-26030 --quiet &
    demo_pids+=($!)
}

# Seeds a day of history for the demo's servers into the data folder $1 (XDG_DATA_HOME for the
# window), unless it has some already.
demo_history() {
    local history="$1/Vantrel/history.sqlite"
    if [ ! -f "$history" ]; then
        build/tools/history-seed/vantrel-history-seed "$history" --days 1 \
            --servers 127.0.0.1:26000-26030
    fi
}
