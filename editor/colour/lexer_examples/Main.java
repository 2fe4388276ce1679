package jp.example;
import java.util.List;
/**
 * 表示用のクラス。 mail: dev@example.jp
 */
public class Main {
    public static void main(String[] args) {
        String s = "ソフト\"表\"" + '\\';
        int n = 0; /* 一行 */ n++;
        if (n > 0) { return; } else { n = new int[1][0]; }
    }
}
