// Catalogue texts, stored as code page 1252 bytes. The hex escapes are the
// accented letters: \xE1 á, \xE9 é, \xED í, \xF3 ó, \xFA ú, \xF1 ñ.
// A literal is split ("cr\xE9" "dito") where a hex digit follows an escape.
#include "catalogue/catalogue.h"

namespace tarivox {

const char* const OfficeNames[2] = {
    "KLDA",
    "MVT",
};

const char* const ServiceNames[6] = {
    "Inscripci\xF3n",
    "Cancelaci\xF3n total o parcial",
    "Certificaci\xF3n",
    "Informe",
    "Presentaci\xF3n",
    "Sustituci\xF3n",
};

const char* const InscriptionTransactions[13] = {
    "Transferencias y mod. de dominio",
    "Grav\xE1menes",
    "Hipotecas abiertas",
    "Cesiones de cr\xE9" "dito",
    "Titulos supletorios",
    "Modificaciones",
    "Otras modificaciones",
    "Anotaciones y declaratorias",
    "Cr\xE9" "ditos a la Producci\xF3n",
    "Desmembraci\xF3n o modificaci\xF3n",
    "R\xE9gimen de propiedad inmobiliaria",
    "Remediciones y reuniones",
    "Particiones de inmuebles",
};

const char* const InscriptionTexts[13] = {
    "Compraventas, donaciones, adjudicaciones o daciones en pago, traspasos por herencia y cualesquiera otros instrumentos, actos o contratos que produzcan transferencia o transmisi\xF3n de dominio.Usufructos, Arrendamientos, fideicomisos, anticresis y cualesquiera otros instrumentos, actos o contratos que produzcan modificaciones en el dominio.",
    "Hipotecas, Servidumbres, Prendas Mercantiles o Agr\xED" "colas y Anotaciones de Embargo.",
    "Hipotecas Abiertas.",
    "Cesiones de cr\xE9" "dito.",
    "Titulos supletorios.",
    "Modificaciones en cuanto a la Cuant\xED" "a de Hipotecas, servidumbres, prendas mercantiles o agr\xED" "colas, Hipotecas Abiertas, Usufructos, Arrendamientos, fideicomisos, anticresis y cualesquiera otros instrumentos, actos o contratos que produzcan modificaciones en el dominio.",
    "Cualquier otra Modificaci\xF3n de Hipotecas, servidumbres, prendas mercantiles o agr\xED" "colas, Hipotecas Abiertas, Usufructos, Arrendamientos, fideicomisos, anticresis y cualesquiera otros instrumentos, actos o contratos que produzcan modificaciones en el dominio.",
    "Anotaciones de cualquier naturaleza, Declaratoria de Herederos, Declaraciones Juradas.",
    "Cr\xE9" "ditos a la Producci\xF3n.",
    "Por Desmembraciones en cabeza de su due\xF1o o modificaciones de las mismas con o sin transferencia de dominio, se pagar\xE1 por cada lote o parcela $9.70 con un m\xEDnimo de $34.29.",
    "Por la Inscripci\xF3n de inmuebles en el R\xE9gimen de Propiedad Inmobiliaria por Pisos y Apartamentos, se pagar\xE1 por cada lote o parcela $9.70 con un m\xEDnimo de $54.91.",
    "Por remediciones y reuniones de inmuebles, se pagar\xE1 por cada lote o parcela $9.70 con un m\xEDnimo de $34.29.",
    "Por particiones de inmuebles, se pagar\xE1 por cada lote o parcela resultante $9.70 con un m\xEDnimo de $34.29.",
};

const char* const CancellationTransactions[3] = {
    "Anotaci\xF3n Preventiva",
    "Cr\xE9" "dito a la Producci\xF3n",
    "Otras Cancelaciones",
};

const char* const CancellationTexts[3] = {
    "Cancelaci\xF3n de Anotaciones de cualquier naturaleza.",
    "Cancelaci\xF3n de Cr\xE9" "dito a la Producci\xF3n.",
    "Cancelaciones de Usufructos, Arrendamientos, fideicomisos, anticresis y cualesquiera otros instrumentos, actos o contratos que produzcan modificaciones en el dominio.Hipotecas, Hipotecas abiertas, Servidumbres, Prendas Mercantiles o Agr\xED" "colas y Anotaciones de Embargo.",
};

const char* const CertificationTransactions[5] = {
    "Literales",
    "Extractadas",
    "Otras certificaciones",
    "Carencia de bienes",
    "Plano de lotificaci\xF3n",
};

const char* const CertificationTexts[5] = {
    "Por certificaciones literales de inscripciones se pagar\xE1 $8.86 m\xE1s $0.35 por cada una de las hojas de que conste la respectiva certificaci\xF3n.",
    "Por cada certificaci\xF3n en relaci\xF3n o extractada de una inscripci\xF3n, se pagar\xE1 $8.86.",
    "Por cada certificaci\xF3n distinta de literales o extractadas, se pagar\xE1 $8.86.",
    "Por cada certificaci\xF3n de carencia de bienes, se pagar\xE1 $1.77 por titular, no obstante lo dispuesto en el primer inciso del art\xED" "culo 50-A.",
    "Por cada certificaci\xF3n de un plano de lotificaci\xF3n, $ 8.86, m\xE1s $0.14 por cada lote comprendido en el plano.",
};

const char* const CertificationSocialTexts[4] = {
    "Por cada certificaci\xF3n en relaci\xF3n o extractada de una inscripci\xF3n, se pagar\xE1 $5.71.",
    "Por cada certificaci\xF3n distinta de extractadas, se pagar\xE1 $5.71.",
    "Por cada certificaci\xF3n de carencia de bienes, se pagar\xE1 $1.77 por titular, no obstante lo dispuesto en el primer inciso del art\xED" "culo 50-A.Por ser proyecto de inter\xE9s Social pagar\xE1 el 25% cuando no sobrepase los $10,000.00",
    "Por cada certificaci\xF3n de un plano de lotificaci\xF3n, $ 8.86, m\xE1s $0.14 por cada lote comprendido en el plano.Por ser proyecto de inter\xE9s Social pagar\xE1 el 25% cuando no sobrepase los $10,000.00",
};

const char* const ReportTransactions[1] = {
    "Indice de propietarios",
};

const char* const PresentationTransactions[1] = {
    "Nueva Presentaci\xF3n",
};

const char* const SubstitutionTransactions[1] = {
    "Sustituciones de folios",
};

const char* const ReportText = "Por los informes de indice de propietarios, $0.71 por titular, no obstante lo dispuesto en el primer inciso del art\xED" "culo 50-A.";

const char* const PresentationText = "Nueva Presentaci\xF3n.";

const char* const SubstitutionText = "Si fuese necesario sustituir folios de los instrumentos, sentencias o diligencias presentados a inscripci\xF3n, se pagar\xE1 $2.30 por cada hoja que haya de sustituirse.";

const char* const SocialInterestNote = "Por ser proyecto de inter\xE9s Social pagar\xE1 el 25% cuando no sobrepase los $10,000.00";

TextList ServiceTransactions(int service) {
  switch (service) {
    case SERVICE_INSCRIPTION: return {InscriptionTransactions, 13};
    case SERVICE_CANCELLATION: return {CancellationTransactions, 3};
    case SERVICE_CERTIFICATION: return {CertificationTransactions, 5};
    case SERVICE_REPORT: return {ReportTransactions, 1};
    case SERVICE_PRESENTATION: return {PresentationTransactions, 1};
    case SERVICE_SUBSTITUTION: return {SubstitutionTransactions, 1};
    default: return {nullptr, 0};
  }
}

int FirstLoadedTransaction(int service, int office) {
  return (service == SERVICE_CERTIFICATION && office != 0) ? 1 : 0;
}

TextList LoadedTransactions(int service, int office) {
  TextList own = ServiceTransactions(service);
  if (own.Count == 0) return own;
  int first = FirstLoadedTransaction(service, office);
  return {own.Items + first, own.Count - first};
}

bool IsComputedTransaction(int service, int transaction) {
  if (transaction < 0) return false;
  if (service == SERVICE_INSCRIPTION) return transaction < INSCRIPTION_COMPUTED_COUNT;
  if (service == SERVICE_CANCELLATION) return transaction < 3;
  return false;
}

}  // namespace tarivox
