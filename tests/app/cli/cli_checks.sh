# The checks the zephlin end-to-end scripts share; sourced after $zephlin is
# set and the script has changed to its work folder.

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# expect STATUS ARGS...: runs zephlin, keeps its output in out.txt/err.txt.
expect() {
    local wanted=$1
    shift
    "$zephlin" "$@" >out.txt 2>err.txt
    local status=$?
    if [ "$status" -ne "$wanted" ]; then
        fail "zephlin $* exited $status, expected $wanted"
        cat out.txt err.txt
    fi
}

contains() {
    grep -q -F -- "$2" "$1" || { fail "$1 lacks '$2'"; cat "$1"; }
}
